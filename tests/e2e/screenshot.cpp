#include "e2e/screenshot.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/test_env.h"

namespace kavadesk::test {
namespace {

std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
  static std::uint32_t table[256] = {};
  if (table[1] == 0) {
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
  }
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out += data;
  PutBigEndian(out, Crc32(out, start));
}

// A zlib stream of stored deflate blocks.
std::string StoredZlib(const std::string& raw) {
  std::string out = "\x78\x01";
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<char>(length & 0xFF));
    out.push_back(static_cast<char>(length >> 8));
    out.push_back(static_cast<char>(~length & 0xFF));
    out.push_back(static_cast<char>((~length >> 8) & 0xFF));
    out.append(raw, offset, length);
    offset += length;
  } while (offset < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char c : raw) {
    a = (a + static_cast<unsigned char>(c)) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

}  // namespace

bool SaveScreenshot(const std::wstring& path) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ::SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
  const int rows = ::GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (rows != height) return false;

  std::string raw;
  raw.reserve(static_cast<std::size_t>(height) * (1 + width * 3));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const unsigned char* bgra = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
      raw.push_back(static_cast<char>(bgra[2]));
      raw.push_back(static_cast<char>(bgra[1]));
      raw.push_back(static_cast<char>(bgra[0]));
    }
  }
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", std::string());
  return WriteWholeFile(path, png);
}

std::wstring ScreenshotPath(const std::wstring& relative) { return BuildPath(L"screenshots\\" + relative); }

}  // namespace kavadesk::test
