// The few GDI+ flat functions the window uses, taken from the system's
// gdiplus.dll (loaded by full path on first use); the program does not import
// GDI+. A missing library or entry makes each call fail harmlessly.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace kavadesk {

// Opaque GDI+ objects.
struct GdiplusImage;
struct GdiplusGraphics;

// Starts GDI+ with the default start-up input (version 1, no debug callback,
// background thread and codecs as usual) and keeps the token; GDI+ is never
// shut down. Returns false when GDI+ is not available.
bool StartGdiplus();

// Decodes an image from the stream (no embedded colour management); null on
// failure. The stream must live as long as the image.
GdiplusImage* LoadGdiplusImage(IStream* stream);

// Draws the image scaled into the rectangle on the device context; nothing
// happens for a null image.
void DrawGdiplusImage(HDC dc, GdiplusImage* image, int x, int y, int width, int height);

}  // namespace kavadesk
