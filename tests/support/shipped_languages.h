// The language files of the built installer, for tests that need real texts.
#pragma once

#include "i18n/translation_catalog.h"

namespace kavadesk::test {

// Parses the seventeen files embedded in build/win32/KavadeskSetup.exe into
// the catalogue. Returns false when the installer could not be opened.
bool LoadShippedLanguages(TranslationCatalog& catalog);

}  // namespace kavadesk::test
