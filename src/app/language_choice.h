// Which language the installer speaks at start-up.
#pragma once

#include <string>

namespace kavadesk {

// The user's default locale name, e.g. "de-DE"; empty when the system cannot
// tell it.
std::wstring UserLocaleName();

// The language for the messages of the relaunch, chosen before the registry
// may be written: the stored language, else the locale when a language file
// has it, else en-US. Reads the registry, writes nothing.
std::wstring PreliminaryLanguage(const std::wstring& userLocale);

// Sets the catalogue's language. On the first run the locale (en-US when no
// language file has it) is stored; afterwards the stored language wins.
// Returns false when start-up must end: the registry could not be written,
// and the user was told (the administrator message, or that the registry
// could not be written).
bool ChooseStartupLanguage(const std::wstring& userLocale);

}  // namespace kavadesk
