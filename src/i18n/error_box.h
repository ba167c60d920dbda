// The one way the installer tells the user of an error: a system message box
// with no owner window, an OK button only and no icon.
#pragma once

#include <functional>
#include <string>

namespace kavadesk {

// Shows `body` (already translated) under the current language's text of
// `titleKey`. Returns when the user has pressed OK.
void ShowErrorBox(const std::wstring& body, const std::wstring& titleKey = L"IDS_TITLE_ERROR");

// The suffix that follows a translated text when a folder could not be
// created, "(error code: N)", and the one of a failed copy, "(error code N)".
std::wstring ErrorCodeSuffix(long code);
std::wstring CopyErrorCodeSuffix(long code);

// Tests see what would be shown (title, body) instead of a box; an empty
// function restores the real box.
using ErrorBoxSink = std::function<void(const std::wstring& title, const std::wstring& body)>;
void SetErrorBoxSinkForTesting(ErrorBoxSink sink);

}  // namespace kavadesk
