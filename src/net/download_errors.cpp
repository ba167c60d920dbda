#include "net/download_errors.h"

#include <cwctype>
#include <filesystem>

#include "app/system_library.h"
#include "base/unique_handle.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "net/wininet_api.h"

namespace kavadesk {
namespace {

constexpr DWORD kInvalidCertificateAuthority = 12045;  // ERROR_INTERNET_INVALID_CA

std::wstring LowerHex(DWORD value) {
  static const wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

// The last element of a path; the detail itself when it is a bare name.
std::wstring LastPathElement(const std::wstring& detail) {
  return std::filesystem::path(detail).filename().wstring();
}

}  // namespace

long HttpStatusValue(const std::wstring& statusText) {
  std::size_t i = 0;
  while (i < statusText.size() && std::iswspace(statusText[i])) ++i;
  bool negative = false;
  if (i < statusText.size() && (statusText[i] == L'+' || statusText[i] == L'-')) {
    negative = statusText[i] == L'-';
    ++i;
  }
  long value = 0;
  // Status texts are three digits; the cap only keeps a hostile one from overflowing.
  for (; i < statusText.size() && statusText[i] >= L'0' && statusText[i] <= L'9'; ++i) {
    if (value < 100000000) value = value * 10 + (statusText[i] - L'0');
  }
  return negative ? -value : value;
}

bool CheckHttpStatus(HINTERNET request, const std::wstring& fileName) {
  // 512 of the 1024 zero-filled bytes are offered, so the text always ends in a null.
  wchar_t status[512] = {};
  DWORD size = 512;
  if (!WinInet().HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE, status, &size, nullptr)) {
    ShowConnectionError(::GetLastError(), fileName);
    return false;
  }
  const std::wstring statusText(status);
  const long value = HttpStatusValue(statusText);
  if (value >= 200 && value <= 399) return true;
  if (value == 404) {
    ShowErrorBox(Catalog().FormatText(L"text_missing_file", {fileName}));
  } else if (value == 500) {
    ShowErrorBox(Catalog().FormatText(L"internal_server_error", {fileName}));
  } else {
    ShowErrorBox(Catalog().FormatText(L"error_generic", {statusText, fileName}));
  }
  return false;
}

std::wstring ErrorCodeMessage(DWORD code) {
  // WinINet keeps the texts of its 12xxx codes in its own message table.
  const HMODULE wininet = WinInetModule();
  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  if (wininet) flags |= FORMAT_MESSAGE_FROM_HMODULE;
  UniqueAny<LocalMemTraits<LPWSTR>> buffer;
  const DWORD length =
      ::FormatMessageW(flags, wininet, code, 0, reinterpret_cast<LPWSTR>(buffer.Receive()), 0, nullptr);
  std::wstring text = length > 0 && buffer ? std::wstring(buffer.Get(), length) : std::wstring();
  while (!text.empty() && std::iswspace(text.back())) text.pop_back();
  return text.empty() ? L"unknown error" : text;
}

void ShowConnectionError(DWORD code, const std::wstring& detail) {
  if (code == 0) return;
  if (code == kInvalidCertificateAuthority) {
    ShowErrorBox(Catalog().FormatText(L"ssl_error", {detail}));
    return;
  }
  ShowErrorBox(ErrorCodeMessage(code) + L"(0x" + LowerHex(code) + L"): " + LastPathElement(detail));
}

}  // namespace kavadesk
