// The process-wide pieces of start-up: static initialisation, the library
// search path, the single-instance guard and the message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/gdi_entry_points.h"
#include "app/message_loop.h"
#include "app/process_state.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/system_library.h"
#include "app/installer_config.h"
#include "support/process.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

std::wstring ModuleFileName(HMODULE module) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length);
}

TEST(StaticInitTest, InstallerVersion) { EXPECT_EQ(InstallerVersion(), L"5.1.2.1"); }

TEST(StaticInitTest, WinInetComesFromTheSystemFolder) {
  ASSERT_NE(WinInetModule(), nullptr);
  EXPECT_EQ(::CompareStringOrdinal(ModuleFileName(WinInetModule()).c_str(), -1,
                                   (SystemFolderPath() + L"\\wininet.dll").c_str(), -1, TRUE),
            CSTR_EQUAL);
}

TEST(StaticInitTest, GdiTableIsComplete) {
  EXPECT_TRUE(Gdi().IsComplete());
  // Resolved for real: a stock object comes back.
  EXPECT_NE(Gdi().GetStockObject(WHITE_BRUSH), nullptr);
}

TEST(GdiEntryPointsTest, MissingEntriesAreNeverCalled) {
  // kernel32 exports none of the nine, and a null module resolves nothing.
  for (HMODULE module : {::GetModuleHandleW(L"kernel32.dll"), HMODULE(nullptr)}) {
    const GdiEntryPoints missing(module);
    EXPECT_FALSE(missing.IsComplete());
    EXPECT_EQ(missing.SetTextColor(nullptr, 0), CLR_INVALID);
    EXPECT_EQ(missing.SetBkMode(nullptr, TRANSPARENT), 0);
    EXPECT_EQ(missing.SelectObject(nullptr, nullptr), nullptr);
    EXPECT_FALSE(missing.MoveToEx(nullptr, 0, 0, nullptr));
    EXPECT_FALSE(missing.LineTo(nullptr, 1, 1));
    EXPECT_EQ(missing.GetStockObject(WHITE_BRUSH), nullptr);
    EXPECT_EQ(missing.GetDeviceCaps(nullptr, LOGPIXELSY), 0);
    EXPECT_EQ(missing.CreateSolidBrush(0), nullptr);
    LOGFONTW font = {};
    EXPECT_EQ(missing.CreateFontIndirectW(&font), nullptr);
  }
}

TEST(StartupTest, PlantedLibraryInTheCurrentFolderIsNotLoaded) {
  // A copy of a system DLL under a name the system does not have, placed in
  // the current folder, stands for a DLL planted beside the installer.
  const std::wstring folder = test::RunDir() + L"planted\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileW((SystemFolderPath() + L"\\version.dll").c_str(), (folder + L"kvplanted.dll").c_str(), FALSE));
  ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));

  RestrictLibrarySearchPath();
  UniqueHModule planted(::LoadLibraryW(L"kvplanted.dll"));
  EXPECT_FALSE(planted) << "loaded " << testing::PrintToString(ModuleFileName(planted.Get()));
  // System libraries still load by name from the system folder.
  EXPECT_TRUE(UniqueHModule(::LoadLibraryW(L"version.dll")));
}

TEST(SingleInstanceTest, SecondHolderOfTheNameIsTold) {
  bool firstRunning = true;
  const UniqueHandle first = CreateSingleInstanceMutex(L"KavadeskGuardTest.exe", firstRunning);
  ASSERT_TRUE(first);
  EXPECT_FALSE(firstRunning);

  bool secondRunning = false;
  const UniqueHandle second = CreateSingleInstanceMutex(L"KavadeskGuardTest.exe", secondRunning);
  EXPECT_TRUE(secondRunning);

  bool otherRunning = true;
  const UniqueHandle other = CreateSingleInstanceMutex(L"OtherSetup.exe", otherRunning);
  EXPECT_FALSE(otherRunning);
}

TEST(SingleInstanceTest, NameIsFreeAgainOnceReleased) {
  bool running = true;
  { const UniqueHandle held = CreateSingleInstanceMutex(L"KavadeskReleaseTest.exe", running); }
  const UniqueHandle again = CreateSingleInstanceMutex(L"KavadeskReleaseTest.exe", running);
  EXPECT_FALSE(running);
}

TEST(MessageLoopTest, DispatchesUntilQuitAndReturnsItsCode) {
  // A thread message posted before the quit is delivered first, then the
  // loop ends with the quit's code.
  ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0));
  ::PostQuitMessage(0);
  EXPECT_EQ(RunMessageLoop(::GetModuleHandleW(nullptr)), 0);
  MSG left;
  EXPECT_FALSE(::PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));

  ::PostQuitMessage(7);
  EXPECT_EQ(RunMessageLoop(::GetModuleHandleW(nullptr)), 7);
}

}  // namespace
}  // namespace kavadesk
