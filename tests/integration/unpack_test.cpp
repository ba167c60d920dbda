// Writing the archive tool out of the built installer and unpacking a package
// with it through the generated batch file and the real command interpreter.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/installer_config.h"
#include "app/resource_ids.h"
#include "base/unique_handle.h"
#include "install/archive_unpacker.h"
#include "install/resource_extractor.h"
#include "support/process.h"
#include "support/test_env.h"
#include "support/zip_writer.h"

namespace kavadesk {
namespace {

const wchar_t kPlantedMarker[] = L"planted-cmd-ran.txt";

// Copied into an install folder as cmd.exe, this program only leaves a marker
// beside itself and ends, so a test sees whether that copy was ever started.
const bool g_runsAsPlantedInterpreter = [] {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring self(path, length);
  const std::wstring name = FileNameOfPath(self);
  if (::lstrcmpiW(name.c_str(), L"cmd.exe") != 0) return false;
  test::WriteWholeFile(self.substr(0, self.size() - name.size()) + kPlantedMarker, "ran");
  ::ExitProcess(0);
}();

const std::wstring kArchiveTool = L"third_party\\7zip\\7za.exe";

std::wstring FolderWithBlanks() { return test::RunDir() + L"Program Files (x86)\\Tarvex\\SSD Kavadesk\\"; }

// Every file and folder below root, as forward-slash relative paths, folders
// ending in "/".
std::set<std::string> TreeOf(const std::wstring& root) {
  std::set<std::string> tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string name = std::filesystem::relative(entry.path(), root).generic_u8string();
    if (entry.is_directory()) name += "/";
    tree.insert(name);
  }
  return tree;
}

std::string BuiltArchiveTool() {
  const auto built = test::ReadWholeFile(test::BuildPath(kArchiveTool));
  EXPECT_TRUE(built.has_value());
  return built.value_or("");
}

// A folder of its own for one case, below a path with blanks, holding an
// earlier 7za.exe when `existing` is given; empty when it cannot be prepared.
std::wstring CaseFolder(const char* name, const char* existing) {
  const std::wstring folder = FolderWithBlanks() + std::filesystem::u8path(name).wstring() + L"\\";
  std::filesystem::create_directories(folder);
  if (existing && !test::WriteWholeFile(folder + L"7za.exe", existing)) return std::wstring();
  return folder;
}

TEST(ResourceExtractorTest, WritesTheArchiveToolAsBuilt) {
  const std::string built = BuiltArchiveTool();
  ASSERT_GT(built.size(), 100000u);
  const UniqueHModule installer = test::OpenBuiltInstaller();
  ASSERT_TRUE(installer);

  struct Case {
    const char* name;
    const char* existing;  // null: no file there before
  };
  const Case cases[] = {{"fresh", nullptr}, {"overwrites a stale file", "stale bytes of an older 7za"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring folder = CaseFolder(c.name, c.existing);
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(WriteResourceToFolder(KAVADESK_ARCHIVE_TOOL_ID, KAVADESK_ARCHIVE_TOOL_TYPE, folder, L"7za.exe",
                                      installer.Get()));
    EXPECT_EQ(test::ReadWholeFile(folder + L"7za.exe"), built);
  }
}

TEST(ResourceExtractorTest, WriteResourceToFileTargetsTheInstallFolder) {
  BuildInstallerConfig(L"http://127.0.0.1:9/");
  ASSERT_FALSE(InstallFolder().empty());
  std::filesystem::create_directories(InstallFolder());
  const UniqueHModule installer = test::OpenBuiltInstaller();
  ASSERT_TRUE(installer);

  // The test program carries no archive tool, so the running executable's
  // resources give nothing.
  EXPECT_FALSE(WriteResourceToFile(KAVADESK_ARCHIVE_TOOL_ID, KAVADESK_ARCHIVE_TOOL_TYPE, L"own.exe"));
  EXPECT_FALSE(std::filesystem::exists(InstallFolder() + L"own.exe"));

  EXPECT_TRUE(
      WriteResourceToFile(KAVADESK_ARCHIVE_TOOL_ID, KAVADESK_ARCHIVE_TOOL_TYPE, L"7za.exe", installer.Get()));
  EXPECT_EQ(test::ReadWholeFile(InstallFolder() + L"7za.exe"), BuiltArchiveTool());
}

TEST(ResourceExtractorTest, MissingResourceWritesNothing) {
  const UniqueHModule installer = test::OpenBuiltInstaller();
  ASSERT_TRUE(installer);
  struct Case {
    const char* name;
    WORD id;
    WORD type;
    const char* existing;
  };
  const Case cases[] = {
      {"unknown id", 9999, KAVADESK_ARCHIVE_TOOL_TYPE, nullptr},
      {"unknown type", KAVADESK_ARCHIVE_TOOL_ID, 2999, nullptr},
      {"unknown id, file kept", 9999, KAVADESK_ARCHIVE_TOOL_TYPE, "earlier content"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring folder = CaseFolder(c.name, c.existing);
    ASSERT_FALSE(folder.empty());
    EXPECT_FALSE(WriteResourceToFolder(c.id, c.type, folder, L"7za.exe", installer.Get()));
    if (c.existing) {
      EXPECT_EQ(test::ReadWholeFile(folder + L"7za.exe"), std::string(c.existing));
    } else {
      EXPECT_FALSE(std::filesystem::exists(folder + L"7za.exe"));
    }
  }
}

TEST(ArchiveUnpackerTest, BatchFileBytes) {
  struct Case {
    std::wstring archive;
    std::string bytes;
  };
  const Case cases[] = {
      {L"Kavadesk.zip", "7za x -y Kavadesk.zip\r\ndel /f Kavadesk.zip"},
      {L"TarvexKavadesk.zip", "7za x -y TarvexKavadesk.zip\r\ndel /f TarvexKavadesk.zip"},
      {L"my package.zip", "7za x -y my package.zip\r\ndel /f my package.zip"},
      {L"Kavadesk\u00e9\u0141.zip", "7za x -y Kavadesk\xe9\x41.zip\r\ndel /f Kavadesk\xe9\x41.zip"},
  };
  const std::wstring folder = FolderWithBlanks();
  // A longer earlier batch file is truncated, not partly kept.
  ASSERT_TRUE(test::WriteWholeFile(folder + L"unzip.bat", std::string(300, 'x')));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_TRUE(WriteUnzipBatch(folder, c.archive));
    EXPECT_EQ(test::ReadWholeFile(folder + L"unzip.bat"), c.bytes);
  }
}

// The package used by the unpacking tests, and the tree it gives beside 7za.exe.
const std::vector<test::ZipEntry> kPackage = {
    {"Kavadesk.exe", std::string("MZ stand-in \x01\x02\x00\xff", 17)},
    {"drivers/", ""},
    {"drivers/win10/SSDDriver.exe", "driver"},
    {"empty folder/", ""},
    {"docs/read me.txt", std::string(70000, 'k')},
};
const std::set<std::string> kUnpackedTree = {
    "7za.exe",        "Kavadesk.exe", "drivers/", "drivers/win10/", "drivers/win10/SSDDriver.exe",
    "empty folder/", "docs/",        "docs/read me.txt",
};

// An install folder holding the archive tool, written out of the installer.
std::wstring PrepareInstallFolder(const std::wstring& folder) {
  std::filesystem::create_directories(folder);
  const UniqueHModule installer = test::OpenBuiltInstaller();
  EXPECT_TRUE(installer);
  EXPECT_TRUE(WriteResourceToFolder(KAVADESK_ARCHIVE_TOOL_ID, KAVADESK_ARCHIVE_TOOL_TYPE, folder, L"7za.exe",
                                    installer.Get()));
  return folder;
}

void ExpectPackageUnpacked(const std::wstring& folder) {
  for (const test::ZipEntry& e : kPackage) {
    if (e.Name.back() == '/') continue;
    SCOPED_TRACE(e.Name);
    EXPECT_EQ(test::ReadWholeFile(folder + std::filesystem::u8path(e.Name).make_preferred().wstring()), e.Bytes);
  }
}

TEST(ArchiveUnpackerTest, UnpacksFilesAndFoldersAndCleansUp) {
  const std::wstring folder = PrepareInstallFolder(FolderWithBlanks());
  // Earlier files are overwritten without a prompt, an earlier batch replaced.
  ASSERT_TRUE(test::WriteWholeFile(folder + L"Kavadesk.exe", "an older application"));
  ASSERT_TRUE(test::WriteWholeFile(folder + L"unzip.bat", "echo stale > stale.txt"));
  ASSERT_TRUE(test::WriteWholeFile(folder + L"Kavadesk.zip", test::MakeZip(kPackage)));

  UnpackArchiveIn(folder, L"Kavadesk.zip");

  EXPECT_EQ(TreeOf(folder), kUnpackedTree);
  ExpectPackageUnpacked(folder);
}

TEST(ArchiveUnpackerTest, PlantedInterpreterInTheInstallFolderNeverRuns) {
  const std::wstring folder = PrepareInstallFolder(FolderWithBlanks());
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  ASSERT_TRUE(::CopyFileW(self, (folder + L"cmd.exe").c_str(), FALSE));
  ASSERT_TRUE(test::WriteWholeFile(folder + L"Kavadesk.zip", test::MakeZip(kPackage)));

  // As in the installer, the install folder is the process's current folder.
  wchar_t previous[MAX_PATH] = {};
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
  UnpackArchiveIn(folder, L"Kavadesk.zip");
  ::SetCurrentDirectoryW(previous);

  EXPECT_FALSE(std::filesystem::exists(folder + kPlantedMarker));
  std::set<std::string> expected = kUnpackedTree;
  expected.insert("cmd.exe");
  EXPECT_EQ(TreeOf(folder), expected);
  ExpectPackageUnpacked(folder);
}

TEST(ArchiveUnpackerTest, DamagedArchiveLeavesNoFiles) {
  const std::string whole = test::MakeZip(kPackage);
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"not a zip", std::string(4096, '\x5a')},
      {"cut inside the first header", whole.substr(0, 20)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring folder =
        PrepareInstallFolder(FolderWithBlanks() + std::filesystem::u8path(c.name).wstring() + L"\\");
    ASSERT_TRUE(test::WriteWholeFile(folder + L"Kavadesk.zip", c.bytes));

    UnpackArchiveIn(folder, L"Kavadesk.zip");

    // The batch deletes the archive whatever the extractor made of it.
    EXPECT_EQ(TreeOf(folder), std::set<std::string>{"7za.exe"});
  }
}

}  // namespace
}  // namespace kavadesk
