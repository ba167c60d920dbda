#include "app/language_choice.h"

#include <windows.h>

#include "app/admin_check.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "registry/registry_store.h"

namespace kavadesk {
namespace {

const wchar_t kFallbackLanguage[] = L"en-US";

std::wstring SupportedOrFallback(const std::wstring& locale) {
  return Catalog().DisplayNameOf(locale).empty() ? std::wstring(kFallbackLanguage) : locale;
}

}  // namespace

std::wstring UserLocaleName() {
  wchar_t buffer[LOCALE_NAME_MAX_LENGTH] = {};
  const int length = ::GetUserDefaultLocaleName(buffer, LOCALE_NAME_MAX_LENGTH);
  return length > 0 ? std::wstring(buffer) : std::wstring();
}

std::wstring PreliminaryLanguage(const std::wstring& userLocale) {
  const std::wstring stored = RegistryStore().GetCurrentCulture();
  return stored.empty() ? SupportedOrFallback(userLocale) : stored;
}

bool ChooseStartupLanguage(const std::wstring& userLocale) {
  const std::wstring candidate = SupportedOrFallback(userLocale);
  const RegistryStore registry;
  if (registry.GetCurrentCulture().empty()) registry.SetCurrentCulture(candidate);
  const std::wstring stored = registry.GetCurrentCulture();
  if (stored.empty()) {
    Catalog().SetLanguage(candidate);
    if (CheckAdminRights()) ShowErrorBox(Catalog().GetText(L"registry_write_fail"));
    return false;
  }
  Catalog().SetLanguage(stored);
  return true;
}

}  // namespace kavadesk
