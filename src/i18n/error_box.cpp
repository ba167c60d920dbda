#include "i18n/error_box.h"

#include <windows.h>

#include "i18n/translation_catalog.h"

namespace kavadesk {
namespace {

ErrorBoxSink& Sink() {
  static ErrorBoxSink sink;
  return sink;
}

}  // namespace

void ShowErrorBox(const std::wstring& body, const std::wstring& titleKey) {
  const std::wstring title = Catalog().GetText(titleKey);
  if (Sink()) {
    Sink()(title, body);
    return;
  }
  ::MessageBoxW(nullptr, body.c_str(), title.c_str(), MB_OK);
}

std::wstring ErrorCodeSuffix(long code) { return L"(error code: " + std::to_wstring(code) + L")"; }

std::wstring CopyErrorCodeSuffix(long code) { return L"(error code " + std::to_wstring(code) + L")"; }

void SetErrorBoxSinkForTesting(ErrorBoxSink sink) { Sink() = std::move(sink); }

}  // namespace kavadesk
