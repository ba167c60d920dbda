#include "support/shipped_languages.h"

#include <windows.h>

#include "base/unique_handle.h"
#include "i18n/language_file.h"
#include "support/test_env.h"

namespace kavadesk::test {

bool LoadShippedLanguages(TranslationCatalog& catalog) {
  const UniqueHModule installer = OpenBuiltInstaller();
  if (!installer) return false;
  for (int id = kFirstLanguageResourceId; id <= kLastLanguageResourceId; ++id) {
    catalog.ParseLanguageFile(ReadLanguageResource(id, installer.Get()));
  }
  return true;
}

}  // namespace kavadesk::test
