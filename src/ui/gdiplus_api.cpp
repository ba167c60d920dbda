#include "ui/gdiplus_api.h"

#include "app/system_library.h"

namespace kavadesk {
namespace {

struct StartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

using StartupFunction = int(WINAPI*)(ULONG_PTR* token, const StartupInput* input, void* output);
using LoadImageFunction = int(WINAPI*)(IStream* stream, GdiplusImage** image);
using CreateGraphicsFunction = int(WINAPI*)(HDC dc, GdiplusGraphics** graphics);
using DrawImageFunction = int(WINAPI*)(GdiplusGraphics* graphics, GdiplusImage* image, INT x, INT y, INT width,
                                       INT height);
using DeleteGraphicsFunction = int(WINAPI*)(GdiplusGraphics* graphics);

constexpr int kOk = 0;

// Kept loaded for the life of the process: the image and GDI+ outlive every
// caller.
HMODULE GdiplusModule() {
  static const UniqueHModule module = LoadSystemLibrary(L"gdiplus.dll");
  return module.Get();
}

template <typename Function>
Function Entry(const char* name) {
  return SystemLibraryEntry<Function>(GdiplusModule(), name);
}

ULONG_PTR g_gdiplusToken = 0;

}  // namespace

bool StartGdiplus() {
  static const auto startup = Entry<StartupFunction>("GdiplusStartup");
  if (!startup) return false;
  const StartupInput input;
  return startup(&g_gdiplusToken, &input, nullptr) == kOk;
}

GdiplusImage* LoadGdiplusImage(IStream* stream) {
  static const auto load = Entry<LoadImageFunction>("GdipLoadImageFromStream");
  GdiplusImage* image = nullptr;
  if (!load || !stream || load(stream, &image) != kOk) return nullptr;
  return image;
}

void DrawGdiplusImage(HDC dc, GdiplusImage* image, int x, int y, int width, int height) {
  static const auto create = Entry<CreateGraphicsFunction>("GdipCreateFromHDC");
  static const auto draw = Entry<DrawImageFunction>("GdipDrawImageRectI");
  static const auto destroy = Entry<DeleteGraphicsFunction>("GdipDeleteGraphics");
  if (!image || !create || !draw || !destroy) return;
  GdiplusGraphics* graphics = nullptr;
  if (create(dc, &graphics) != kOk || !graphics) return;
  draw(graphics, image, x, y, width, height);
  destroy(graphics);
}

}  // namespace kavadesk
