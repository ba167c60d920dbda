#include "app/gdi_entry_points.h"

#include "app/system_library.h"

namespace kavadesk {

GdiEntryPoints::GdiEntryPoints(HMODULE gdi32)
    : setTextColor_(SystemLibraryEntry<decltype(setTextColor_)>(gdi32, "SetTextColor")),
      setBkMode_(SystemLibraryEntry<decltype(setBkMode_)>(gdi32, "SetBkMode")),
      selectObject_(SystemLibraryEntry<decltype(selectObject_)>(gdi32, "SelectObject")),
      moveToEx_(SystemLibraryEntry<decltype(moveToEx_)>(gdi32, "MoveToEx")),
      lineTo_(SystemLibraryEntry<decltype(lineTo_)>(gdi32, "LineTo")),
      getStockObject_(SystemLibraryEntry<decltype(getStockObject_)>(gdi32, "GetStockObject")),
      getDeviceCaps_(SystemLibraryEntry<decltype(getDeviceCaps_)>(gdi32, "GetDeviceCaps")),
      createSolidBrush_(SystemLibraryEntry<decltype(createSolidBrush_)>(gdi32, "CreateSolidBrush")),
      createFontIndirectW_(SystemLibraryEntry<decltype(createFontIndirectW_)>(gdi32, "CreateFontIndirectW")) {}

bool GdiEntryPoints::IsComplete() const {
  return setTextColor_ && setBkMode_ && selectObject_ && moveToEx_ && lineTo_ && getStockObject_ &&
         getDeviceCaps_ && createSolidBrush_ && createFontIndirectW_;
}

COLORREF GdiEntryPoints::SetTextColor(HDC dc, COLORREF color) const {
  return setTextColor_ ? setTextColor_(dc, color) : CLR_INVALID;
}
int GdiEntryPoints::SetBkMode(HDC dc, int mode) const { return setBkMode_ ? setBkMode_(dc, mode) : 0; }
HGDIOBJ GdiEntryPoints::SelectObject(HDC dc, HGDIOBJ object) const {
  return selectObject_ ? selectObject_(dc, object) : nullptr;
}
BOOL GdiEntryPoints::MoveToEx(HDC dc, int x, int y, LPPOINT previous) const {
  return moveToEx_ ? moveToEx_(dc, x, y, previous) : FALSE;
}
BOOL GdiEntryPoints::LineTo(HDC dc, int x, int y) const { return lineTo_ ? lineTo_(dc, x, y) : FALSE; }
HGDIOBJ GdiEntryPoints::GetStockObject(int index) const {
  return getStockObject_ ? getStockObject_(index) : nullptr;
}
int GdiEntryPoints::GetDeviceCaps(HDC dc, int index) const {
  return getDeviceCaps_ ? getDeviceCaps_(dc, index) : 0;
}
HBRUSH GdiEntryPoints::CreateSolidBrush(COLORREF color) const {
  return createSolidBrush_ ? createSolidBrush_(color) : nullptr;
}
HFONT GdiEntryPoints::CreateFontIndirectW(const LOGFONTW* font) const {
  return createFontIndirectW_ ? createFontIndirectW_(font) : nullptr;
}

}  // namespace kavadesk
