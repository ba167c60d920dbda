// The relaunch into the temporary folder, with the real shell and file
// system of the prefix: a stand-in program runs the relaunch step and the
// process that goes on records where it runs and with which arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/installer_config.h"
#include "app/relaunch.h"
#include "base/ascii.h"
#include "i18n/error_box.h"
#include "support/error_box_capture.h"
#include "support/process.h"
#include "support/shipped_languages.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

std::wstring TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder, length);  // with its final backslash
}

struct Record {
  std::wstring path;
  std::wstring arguments;
};

// Runs the stand-in from `folder` under `fileName` and waits for the process
// that goes on to write its record.
std::optional<Record> RunProbe(const std::wstring& folder, const std::wstring& fileName,
                               const std::wstring& arguments) {
  std::filesystem::create_directories(folder);
  const std::wstring probe = folder + fileName;
  if (!::CopyFileW(test::BuildPath(L"tests\\relaunch_probe.exe").c_str(), probe.c_str(), FALSE)) return std::nullopt;
  const std::wstring record = test::RunDir() + L"relaunch-record.txt";
  ::DeleteFileW(record.c_str());
  ::SetEnvironmentVariableW(L"KAVADESK_RELAUNCH_RECORD", record.c_str());
  const test::ProcessResult run = test::RunProcess(L"\"" + probe + L"\" " + arguments);
  if (!run.Finished || run.ExitCode != 0) return std::nullopt;
  // The first process does not wait for its copy.
  for (int i = 0; i < 300; ++i) {
    const auto text = test::ReadWholeFile(record);
    if (text && text->find('\n') != text->rfind('\n')) {
      std::wstring wide(text->begin(), text->end());  // the paths here are ASCII
      const auto feed = wide.find(L'\n');
      return Record{wide.substr(0, feed), wide.substr(feed + 1, wide.size() - feed - 2)};
    }
    ::Sleep(100);
  }
  return std::nullopt;
}

TEST(RelaunchTest, CopiesItselfIntoANewLowerCaseFolderAndStartsTheCopy) {
  const std::wstring arguments = L"-Test \"http://127.0.0.1:9/Base Path/\" -UNINSTALL";
  const auto record = RunProbe(test::RunDir() + L"Downloads\\", L"KavadeskSetup.exe", arguments);
  ASSERT_TRUE(record.has_value());
  const std::filesystem::path copy(record->path);
  EXPECT_EQ(copy.filename().wstring(), L"KavadeskSetup.exe") << "the copy keeps the file name's case";
  // The new folder's own name is lower case; the temporary folder above it
  // keeps the case it has on disk.
  const std::wstring folderName = copy.parent_path().filename().wstring();
  EXPECT_EQ(folderName, AsciiLower(folderName));
  EXPECT_EQ(AsciiLower(copy.parent_path().parent_path().wstring() + L"\\"), AsciiLower(TemporaryFolder()));
  EXPECT_EQ(record->arguments, arguments) << "the arguments reach the copy as written";
}

TEST(RelaunchTest, StartedFromTheTemporaryFolderItGoesOnInPlace) {
  const std::wstring temp = TemporaryFolder();
  const std::wstring sibling = temp.substr(0, temp.size() - 1) + L"2\\";  // e.g. ...\Temp2\ beside ...\Temp
  for (const std::wstring& folder : {temp + L"Opened Archive\\", AsciiLower(temp) + L"x\\", sibling}) {
    SCOPED_TRACE(testing::PrintToString(folder));
    const auto record = RunProbe(folder, L"Setup.exe", L"-uninstall");
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(AsciiLower(record->path), AsciiLower(folder + L"Setup.exe"));
  }
}

TEST(RelaunchTest, ExistingCopyFolderIsReportedWithItsCode) {
  ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
  Catalog().SetLanguage(L"en-US");
  BuildInstallerConfig(L"http://127.0.0.1:9/");
  const std::wstring existing = test::RunDir() + L"taken";
  ASSERT_TRUE(::CreateDirectoryW(existing.c_str(), nullptr));

  const test::ErrorBoxCapture capture;
  const RelaunchOutcome outcome = RelaunchFromTemporaryFolder(existing, L"");
  const auto& shown = capture.Boxes();

  EXPECT_EQ(outcome, RelaunchOutcome::Failed);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, L"Error");
  EXPECT_EQ(shown[0].second, L"Failed to create folder.(error code: 0)");
}

TEST(RelaunchTest, UniqueNameIsFreeAndInsideTheTemporaryFolder) {
  const auto first = UniqueTemporaryName();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->rfind(TemporaryFolder(), 0), 0u);
  EXPECT_EQ(first->find(L'\\', TemporaryFolder().size()), std::wstring::npos) << "directly inside";
  EXPECT_EQ(::GetFileAttributesW(first->c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(::CreateDirectoryW(first->c_str(), nullptr));
  const auto second = UniqueTemporaryName();
  ASSERT_TRUE(second.has_value());
  EXPECT_NE(*second, *first);
}

}  // namespace
}  // namespace kavadesk
