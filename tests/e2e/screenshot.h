// Screenshots of the whole screen, written as PNG files, so that every screen
// a test drives through can be looked at afterwards.
#pragma once

#include <string>

namespace kavadesk::test {

// Captures the screen and writes it to path as an RGB PNG (stored, not
// compressed), creating missing folders. Returns false on failure.
bool SaveScreenshot(const std::wstring& path);

// BuildPath("screenshots\\" + relative).
std::wstring ScreenshotPath(const std::wstring& relative);

}  // namespace kavadesk::test
