// The bundled 7-Zip console extractor: embedded in the installer as built,
// and able to unpack a zip under Wine through the command interpreter, the way
// the installer runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/installer_config.h"
#include "app/resource_ids.h"
#include "base/unique_handle.h"
#include "support/process.h"
#include "support/test_env.h"
#include "support/zip_writer.h"

namespace kavadesk {
namespace {

const std::wstring kArchiveTool = L"third_party\\7zip\\7za.exe";

TEST(ArchiveToolTest, EmbeddedBytesEqualTheBuiltTool) {
  const auto built = test::ReadWholeFile(test::BuildPath(kArchiveTool));
  ASSERT_TRUE(built.has_value());
  ASSERT_GT(built->size(), 100000u);

  const UniqueHModule installer = test::OpenBuiltInstaller();
  ASSERT_TRUE(installer);
  const HRSRC resource = ::FindResourceW(installer.Get(), MAKEINTRESOURCEW(KAVADESK_ARCHIVE_TOOL_ID),
                                         MAKEINTRESOURCEW(KAVADESK_ARCHIVE_TOOL_TYPE));
  ASSERT_NE(resource, nullptr);
  const DWORD size = ::SizeofResource(installer.Get(), resource);
  const void* bytes = ::LockResource(::LoadResource(installer.Get(), resource));
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, built->size());
  EXPECT_EQ(std::memcmp(bytes, built->data(), size), 0);
}

TEST(ArchiveToolTest, ExtractsFilesAndFoldersThroughCmd) {
  const std::wstring folder = test::RunDir() + L"Program Files (x86)\\Tarvex\\SSD Kavadesk\\";
  const std::vector<test::ZipEntry> entries = {
      {"Kavadesk.exe", std::string("MZ stand-in \x01\x02\x00\xff", 17)},
      {"drivers/", ""},
      {"drivers/win10/SSDDriver.exe", "driver"},
      {"empty folder/", ""},
      {"docs/read me.txt", std::string(70000, 'k')},
  };
  ASSERT_TRUE(test::WriteWholeFile(folder + L"Kavadesk.zip", test::MakeZip(entries)));
  ASSERT_TRUE(::CopyFileW(test::BuildPath(kArchiveTool).c_str(), (folder + L"7za.exe").c_str(), FALSE));

  const test::ProcessResult run =
      test::RunProcess(L"\"" + SystemFolderPath() + L"\\cmd.exe\" /C 7za x -y Kavadesk.zip", folder);
  ASSERT_TRUE(run.Started);
  ASSERT_TRUE(run.Finished);
  EXPECT_EQ(run.ExitCode, 0u);

  for (const test::ZipEntry& e : entries) {
    const std::filesystem::path path = std::filesystem::path(folder) / std::filesystem::u8path(e.Name);
    SCOPED_TRACE(e.Name);
    if (e.Name.back() == '/') {
      EXPECT_TRUE(std::filesystem::is_directory(path));
    } else {
      EXPECT_EQ(test::ReadWholeFile(path.wstring()), e.Bytes);
    }
  }
}

}  // namespace
}  // namespace kavadesk
