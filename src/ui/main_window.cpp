#include "ui/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/gdi_entry_points.h"
#include "app/installer_config.h"
#include "app/process_state.h"
#include "app/resource_ids.h"
#include "i18n/translation_catalog.h"
#include "install/resource_extractor.h"
#include "ui/common_controls.h"
#include "ui/ui_state.h"
#include "ui/window_proc.h"

namespace kavadesk {
namespace {

constexpr DWORD kPushButtonStyle = WS_CHILD | WS_VISIBLE | BS_FLAT;
constexpr DWORD kCheckBoxStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
constexpr DWORD kComboBoxStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
constexpr DWORD kProgressBarStyle = WS_CHILD | PBS_SMOOTH;  // created hidden
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr int kComboBoxHeight = 450;  // with the dropped-down list
constexpr COLORREF kLinkColour = 0xBB7000;
constexpr COLORREF kTextColour = 0;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kRuleY = 240;
constexpr int kRuleRight = 475;

std::wstring WindowClassName(HINSTANCE instance) {
  wchar_t name[100] = {};
  ::LoadStringW(instance, KAVADESK_WINDOW_CLASS_STRING, name, 100);
  return name;
}

HINSTANCE InstanceOf(HWND parent) { return reinterpret_cast<HINSTANCE>(::GetWindowLongW(parent, GWL_HINSTANCE)); }

HWND CreateChild(HWND parent, HINSTANCE instance, const wchar_t* className, const std::wstring& text, DWORD style,
                 int x, int y, int width, int height, int id) {
  return ::CreateWindowExW(0, className, text.c_str(), style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

HWND CreatePushButton(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool isDefault) {
  return CreateChild(parent, InstanceOf(parent), L"Button", text, kPushButtonStyle | (isDefault ? BS_DEFPUSHBUTTON : 0),
                     x, y, width, height, 0);
}

HWND CreateCheckBox(HWND parent, HINSTANCE instance, const std::wstring& text, int x, int y, int width, int height) {
  return CreateChild(parent, instance, L"Button", text, kCheckBoxStyle, x, y, width, height, 1);
}

HWND CreateLanguageComboBox(HWND parent, int x, int y, int width) {
  return CreateChild(parent, InstanceOf(parent), L"ComboBox", L"", kComboBoxStyle, x, y, width, kComboBoxHeight, 0);
}

HWND CreateProgressBar(HWND parent, int x, int y, int width, int height) {
  return CreateChild(parent, InstanceOf(parent), PROGRESS_CLASSW, L"", kProgressBarStyle, x, y, width, height, 0);
}

HWND CreateLabel(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool rightAligned,
                 bool clickable) {
  const DWORD style = kLabelStyle | (rightAligned ? SS_RIGHT : 0) | (clickable ? SS_NOTIFY : 0);
  return CreateChild(parent, InstanceOf(parent), L"STATIC", text, style, x, y, width, height, 0);
}

void FillLanguageList(HWND combo) {
  const TranslationCatalog& catalog = Catalog();
  const std::vector<std::wstring> names = catalog.DisplayNames();
  int selected = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].c_str()));
    if (catalog.CodeOf(names[i]) == catalog.CurrentLanguage()) selected = static_cast<int>(i);
  }
  ::SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

void SetFont(HWND control, HFONT font) { ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void CreateControls(HWND window, HINSTANCE instance) {
  UiState& ui = Ui();
  const TranslationCatalog& catalog = Catalog();
  ui.InstallButton = CreatePushButton(window, catalog.GetText(L"IDS_INSTALL"), 354, 262, 105, 29, true);
  ui.CancelButton = CreatePushButton(window, catalog.GetText(L"IDS_CANCEL"), 245, 262, 105, 29, false);
  ui.LaunchCheckBox =
      CreateCheckBox(window, instance, catalog.FormatText(L"IDS_LAUNCH_KAVADESK", {ProductName()}), 50, 150, 150, 45);
  ui.LanguageComboBox = CreateLanguageComboBox(window, 15, 167, 244);
  FillLanguageList(ui.LanguageComboBox);
  ui.ProgressBar = CreateProgressBar(window, 15, 167, 445, 25);
  ::SendMessageW(ui.ProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  ::SendMessageW(ui.ProgressBar, PBM_SETSTEP, 1, 0);
  ui.ReleaseNotesLink = CreateLabel(window, catalog.GetText(L"IDS_VIEW_RELEASE_NOTES"), 200, 220, 260, 20, true, true);
  ui.MessageText = CreateLabel(window, L"", 15, 40, 444, 90, false, false);
  ui.LanguageLabel = CreateLabel(window, catalog.GetText(L"options_select_language"), 15, 145, 250, 20, false, false);
  ui.VersionText = CreateLabel(window, VersionLineText(), 15, 220, 300, 20, false, false);
  ui.InstallerVersionText = CreateLabel(window, InstallerVersionLineText(), 10, 300, 200, 20, false, false);

  ::SendMessageW(ui.LaunchCheckBox, BM_SETCHECK, BST_CHECKED, 0);
  ::ShowWindow(ui.LaunchCheckBox, SW_HIDE);

  // The hand cursor goes to the classes "Button" and "STATIC" as a whole, so
  // every button, the check box and every label show it.
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  SetFont(ui.InstallButton, ui.LargeFont);
  SetFont(ui.CancelButton, ui.LargeFont);
  SetFont(ui.LanguageComboBox, ui.NormalFont);
  ::SetClassLongW(ui.InstallButton, GCL_HCURSOR, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hand)));
  SetFont(ui.MessageText, ui.LargeFont);
  SetFont(ui.LanguageLabel, ui.NormalFont);
  SetFont(ui.VersionText, ui.LargeFont);
  SetFont(ui.InstallerVersionText, ui.NormalFont);
  SetFont(ui.ReleaseNotesLink, ui.NormalFont);
  ::SetClassLongW(ui.ReleaseNotesLink, GCL_HCURSOR, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hand)));
}

}  // namespace

std::wstring VersionLineText() {
  const VersionString& version = UninstallMode ? InstalledVersion : ServerVersion;
  return Catalog().FormatText(L"IDS_INSTALL_END_TEXT1", {ProductName()}) + L": " + version.Get();
}

std::wstring InstallerVersionLineText() {
  return Catalog().GetText(L"IDS_INSTALL") + L" " + Catalog().GetText(L"IDS_VERSION") + L": " + InstallerVersion();
}

void RegisterMainWindowClass(HINSTANCE instance) {
  static const std::wstring className = WindowClassName(instance);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(KAVADESK_ICON_GROUP));
  windowClass.hIconSm = ::LoadIconW(instance, MAKEINTRESOURCEW(KAVADESK_ICON_GROUP));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className.c_str();
  ::RegisterClassExW(&windowClass);
}

POINT CentredPosition(int screenWidth, int screenHeight, int width, int height) {
  return POINT{(screenWidth - width) / 2, (screenHeight - height) / 2};
}

bool CreateMainWindow(HINSTANCE instance, int showCommand) {
  UiState& ui = Ui();
  ui.MainInstance = instance;
  StartGdiplus();
  const std::wstring className = WindowClassName(instance);
  const HWND window =
      ::CreateWindowExW(0, className.c_str(), InstallerTitle().c_str(),
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                        nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  ui.MainWindowHandle = window;
  const POINT corner = CentredPosition(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                       kMainWindowWidth, kMainWindowHeight);
  ::SetWindowPos(window, nullptr, corner.x, corner.y, kMainWindowWidth, kMainWindowHeight, SWP_NOZORDER);
  ui.LogoImage = LoadLogoImage(LogoResourceId());
  // The progress bar's class comes from the common controls, which must be
  // registered before it is created.
  RegisterCommonControlClasses();
  CreateControls(window, instance);
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  return true;
}

HFONT CreateUiFont(HWND window, int points) {
  const HDC dc = ::GetDC(window);
  LOGFONTW font = {};
  font.lfHeight = -::MulDiv(points, Gdi().GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfWeight = FW_NORMAL;
  ::lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
  ::ReleaseDC(window, dc);
  return Gdi().CreateFontIndirectW(&font);
}

GdiplusImage* LoadLogoImage(int resourceId) {
  const HRSRC resource = ResourceExtractor::FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId),
                                                          MAKEINTRESOURCEW(KAVADESK_LOGO_TYPE));
  if (!resource) return nullptr;
  const HGLOBAL loaded = ResourceExtractor::LoadResource(nullptr, resource);
  const DWORD size = ResourceExtractor::SizeofResource(nullptr, resource);
  const void* bytes = ResourceExtractor::LockResource(loaded);
  if (!bytes || size == 0) {
    ResourceExtractor::FreeResource(loaded);
    return nullptr;
  }
  // The block and its stream live as long as the image, which is never freed.
  const HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, size);
  if (!block) {
    ResourceExtractor::FreeResource(loaded);
    return nullptr;
  }
  ::CopyMemory(block, bytes, size);
  IStream* stream = nullptr;
  GdiplusImage* image = nullptr;
  if (SUCCEEDED(::CreateStreamOnHGlobal(block, TRUE, &stream))) image = LoadGdiplusImage(stream);
  ResourceExtractor::FreeResource(loaded);
  return image;
}

void PaintMainWindow(HWND /*window*/, HDC dc) {
  const UiState& ui = Ui();
  DrawGdiplusImage(dc, ui.LogoImage, LogoLeft(), LogoTop(), LogoWidth(), LogoHeight());
  Gdi().MoveToEx(dc, 0, kRuleY, nullptr);
  Gdi().LineTo(dc, kRuleRight, kRuleY);
}

HBRUSH ColourStaticControl(HDC dc, HWND control) {
  UiState& ui = Ui();
  Gdi().SetTextColor(dc, control == ui.ReleaseNotesLink ? kLinkColour : kTextColour);
  if (!ui.StaticBackgroundBrush) ui.StaticBackgroundBrush = Gdi().CreateSolidBrush(kWhite);
  return ui.StaticBackgroundBrush;
}

}  // namespace kavadesk
