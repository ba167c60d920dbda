// The GDI functions that the window uses, taken from the system's gdi32.dll
// at static initialisation; the program does not import GDI. Every call checks
// its entry: a missing one is never called, and the call returns the
// function's own failure value.
#pragma once

#include <windows.h>

namespace kavadesk {

class GdiEntryPoints {
 public:
  GdiEntryPoints() = default;
  // Resolves the nine entries from a loaded gdi32 module; a null module or a
  // missing export leaves that entry empty.
  explicit GdiEntryPoints(HMODULE gdi32);

  // True when all nine entries were found.
  bool IsComplete() const;

  COLORREF SetTextColor(HDC dc, COLORREF color) const;
  int SetBkMode(HDC dc, int mode) const;
  HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) const;
  BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) const;
  BOOL LineTo(HDC dc, int x, int y) const;
  HGDIOBJ GetStockObject(int index) const;
  int GetDeviceCaps(HDC dc, int index) const;
  HBRUSH CreateSolidBrush(COLORREF color) const;
  HFONT CreateFontIndirectW(const LOGFONTW* font) const;

 private:
  decltype(&::SetTextColor) setTextColor_ = nullptr;
  decltype(&::SetBkMode) setBkMode_ = nullptr;
  decltype(&::SelectObject) selectObject_ = nullptr;
  decltype(&::MoveToEx) moveToEx_ = nullptr;
  decltype(&::LineTo) lineTo_ = nullptr;
  decltype(&::GetStockObject) getStockObject_ = nullptr;
  decltype(&::GetDeviceCaps) getDeviceCaps_ = nullptr;
  decltype(&::CreateSolidBrush) createSolidBrush_ = nullptr;
  decltype(&::CreateFontIndirectW) createFontIndirectW_ = nullptr;
};

// The process-wide table, resolved at static initialisation.
const GdiEntryPoints& Gdi();

}  // namespace kavadesk
