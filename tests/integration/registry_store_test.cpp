// RegistryStore on the real registry of the test's own 64-bit prefix. The test
// is a 32-bit program, as the installer is; values are put in place and
// checked with the plain registry functions, in an explicit view.
#include "registry/registry_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/installer_config.h"
#include "base/unique_handle.h"

namespace kavadesk {
namespace {

using Bytes = std::vector<BYTE>;
using Names = std::set<std::wstring>;

constexpr REGSAM kView32 = KEY_WOW64_32KEY;
constexpr REGSAM kView64 = KEY_WOW64_64KEY;

const std::wstring kTarvexProduct = L"SOFTWARE\\Tarvex\\SSD Kavadesk";
const std::wstring kObrintProduct = L"SOFTWARE\\Obrint\\SSD Kavadesk";
const std::wstring kLegacyProductA = L"SOFTWARE\\TX\\SSD Kavadesk";
const std::wstring kLegacyProductB = L"SOFTWARE\\TX SSD Kavadesk\\SSD Kavadesk";
const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::wstring kTarvexEntry = kUninstall + L"\\Tarvex SSD Kavadesk";
const std::wstring kObrintEntry = kUninstall + L"\\Obrint SSD Kavadesk";
const std::wstring kLegacyEntry = kUninstall + L"\\TX SSD Kavadesk";
const std::wstring kTarvexPermanent = L"SOFTWARE\\Tarvex\\Permanent";
const std::wstring kRunOnce = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::wstring kInstallFolder = L"C:\\Program Files (x86)\\Tarvex\\SSD Kavadesk\\";

Bytes TextBytes(const std::wstring& text, bool withNull = true) {
  const std::size_t size = (text.size() + (withNull ? 1 : 0)) * sizeof(wchar_t);
  Bytes bytes(size);
  std::memcpy(bytes.data(), text.c_str(), size);
  return bytes;
}

Bytes DwordBytes(DWORD value) {
  Bytes bytes(sizeof(value));
  std::memcpy(bytes.data(), &value, sizeof(value));
  return bytes;
}

Bytes QwordBytes(std::uint64_t value) {
  Bytes bytes(sizeof(value));
  std::memcpy(bytes.data(), &value, sizeof(value));
  return bytes;
}

struct RawValue {
  LONG status = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  Bytes data;
};

UniqueHKey OpenRaw(HKEY root, const std::wstring& path, REGSAM access) {
  UniqueHKey key;
  ::RegOpenKeyExW(root, path.c_str(), 0, access, key.Receive());
  return key;
}

RawValue QueryRaw(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = kView32) {
  RawValue value;
  const UniqueHKey key = OpenRaw(root, path, KEY_READ | view);
  if (!key) return value;
  DWORD size = 0;
  value.status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &value.type, nullptr, &size);
  if (value.status != ERROR_SUCCESS) return value;
  value.data.resize(size);
  value.status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &value.type, value.data.data(), &size);
  value.data.resize(size);
  return value;
}

void PutRaw(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const Bytes& data,
            REGSAM view = kView32) {
  UniqueHKey key;
  ASSERT_EQ(::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key.Receive(),
                              nullptr),
            ERROR_SUCCESS);
  // A non-null unit after the data: the registry adds a null to a string
  // that lacks one when one follows it in memory.
  Bytes guarded = data;
  guarded.insert(guarded.end(), {0xFF, 0xFF});
  ASSERT_EQ(::RegSetValueExW(key.Get(), name.c_str(), 0, type, guarded.data(), static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  DWORD size = 0;
  ASSERT_EQ(::RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  ASSERT_EQ(size, data.size()) << "stored as given";
}

void PutText(const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  PutRaw(HKEY_LOCAL_MACHINE, path, name, REG_SZ, TextBytes(text));
}

void DeleteRawKey(HKEY root, const std::wstring& path, REGSAM view = kView32) {
  const UniqueHKey key = OpenRaw(root, path, KEY_ALL_ACCESS | view);
  if (!key) return;
  ::RegDeleteTreeW(key.Get(), nullptr);
  ::RegDeleteKeyExW(root, path.c_str(), view, 0);
}

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view = kView32) {
  return static_cast<bool>(OpenRaw(root, path, KEY_READ | view));
}

Names ValueNames(HKEY root, const std::wstring& path, REGSAM view = kView32) {
  Names names;
  const UniqueHKey key = OpenRaw(root, path, KEY_READ | view);
  for (DWORD i = 0; key; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (::RegEnumValueW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace(name, length);
  }
  return names;
}

DWORD SubkeyCount(const std::wstring& path) {
  const UniqueHKey key = OpenRaw(HKEY_LOCAL_MACHINE, path, KEY_READ | kView32);
  DWORD count = 0;
  if (key) ::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr);
  return count;
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildInstallerConfig(L"http://127.0.0.1:1/"); }
  void TearDown() override { SetCurrentCultureWriteFailsForTesting(false); }

  RegistryStore store;
};

TEST_F(RegistryStoreTest, KeyPathsNameTheLayoutsKeys) {
  const std::pair<std::wstring, std::wstring> rows[] = {
      {store.ProductKeyPath(L"Tarvex"), kTarvexProduct},
      {store.ProductKeyPath(L"Obrint"), kObrintProduct},
      {store.ProductKeyPath(L"TX\\"), kLegacyProductA},
      {store.ProductKeyPath(L"TX SSD Kavadesk"), kLegacyProductB},
      {store.UninstallKeyPath(L"Tarvex SSD Kavadesk"), kTarvexEntry},
      {store.UninstallKeyPath(L"TX SSD Kavadesk"), kLegacyEntry},
      {store.PermanentKeyPath(L"Tarvex"), kTarvexPermanent},
  };
  for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected);
}

TEST_F(RegistryStoreTest, EmptyMachineReadsNeutralValues) {
  EXPECT_EQ(store.GetCurrentCulture(), L"");
  EXPECT_EQ(store.GetInstallState(L"Tarvex"), 5);
  EXPECT_EQ(store.GetInstallState(L"Obrint"), 5);
  EXPECT_TRUE(store.GetInstalledVersion().IsEmpty());
  EXPECT_TRUE(store.GetCurrentVersion().IsEmpty());
  EXPECT_FALSE(store.IsKT4400Detected());
  EXPECT_FALSE(store.GetStartMinimized());
  EXPECT_FALSE(store.GetStartWithWindows());
  EXPECT_EQ(store.ReadDword(kTarvexProduct, L"IsInstalled"), -1);
  for (const std::wstring& text : {store.GetInstallPath(), store.GetObrintInstallPath(), store.GetTempPath(),
                                   store.GetIsCachePolicy(), store.GetDisplayIcon(), store.GetDisplayName(),
                                   store.GetInstallSource(), store.GetPublisher(), store.GetUninstallString()})
    EXPECT_EQ(text, L"");
}

// Each getter reads its places in order and takes the first that holds a
// non-empty text; the last place is returned whatever it holds.
TEST_F(RegistryStoreTest, TextGettersFallBackInOrder) {
  using Getter = std::function<std::wstring(const RegistryStore&)>;
  struct Row {
    const char* label;
    Getter get;
    const wchar_t* valueName;
    std::vector<std::wstring> places;
  };
  const Row rows[] = {
      {"culture", [](const RegistryStore& s) { return s.GetCurrentCulture(); }, L"CurrentCulture",
       {kTarvexProduct, kLegacyProductA}},
      {"install path", [](const RegistryStore& s) { return s.GetInstallPath(); }, L"InstallPath",
       {kTarvexProduct, kLegacyProductA}},
      // Runs after the row above has filled legacy key A, which Obrint must not use.
      {"Obrint install path", [](const RegistryStore& s) { return s.GetObrintInstallPath(); }, L"InstallPath",
       {kObrintProduct}},
      {"current version", [](const RegistryStore& s) { return s.GetCurrentVersion().Get(); }, L"CurrentVersion",
       {kTarvexProduct, kLegacyProductB}},
      {"installed version", [](const RegistryStore& s) { return s.GetInstalledVersion().Get(); }, L"DisplayVersion",
       {kTarvexEntry, kObrintEntry, kLegacyEntry}},
      {"cache policy", [](const RegistryStore& s) { return s.GetIsCachePolicy(); }, L"IsCachePolicy",
       {kTarvexProduct, kLegacyProductB}},
      {"temp path", [](const RegistryStore& s) { return s.GetTempPath(); }, L"TempPath", {kTarvexProduct}},
      {"display icon", [](const RegistryStore& s) { return s.GetDisplayIcon(); }, L"DisplayIcon",
       {kTarvexEntry, kLegacyEntry}},
      {"display name", [](const RegistryStore& s) { return s.GetDisplayName(); }, L"DisplayName",
       {kTarvexEntry, kLegacyEntry}},
      {"install source", [](const RegistryStore& s) { return s.GetInstallSource(); }, L"InstallSource",
       {kTarvexEntry, kLegacyEntry}},
      {"publisher", [](const RegistryStore& s) { return s.GetPublisher(); }, L"Publisher",
       {kTarvexEntry, kLegacyEntry}},
      {"uninstall string", [](const RegistryStore& s) { return s.GetUninstallString(); }, L"UninstallString",
       {kTarvexEntry, kLegacyEntry}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(row.get(store), L"");
    const auto text = [&](std::size_t place) { return std::wstring(row.valueName) + L" " + std::to_wstring(place); };
    for (std::size_t place = row.places.size(); place-- > 0;) {
      if (place + 1 < row.places.size()) {
        PutText(row.places[place], row.valueName, L"");
        EXPECT_EQ(row.get(store), text(place + 1)) << "an empty text at place " << place;
      }
      PutText(row.places[place], row.valueName, text(place));
      EXPECT_EQ(row.get(store), text(place)) << "place " << place;
    }
  }
}

TEST_F(RegistryStoreTest, CultureIsMappedOnReadingOnly) {
  struct Row {
    const std::wstring& place;
    const wchar_t* stored;
    const wchar_t* read;
  };
  const Row rows[] = {
      {kTarvexProduct, L"zh-CHT", L"zh-TW"}, {kTarvexProduct, L"zh-CHS", L"zh-CN"},
      {kTarvexProduct, L"zh-cht", L"zh-cht"}, {kTarvexProduct, L"ZH-CHS", L"ZH-CHS"},
      {kTarvexProduct, L"zh-TW", L"zh-TW"},   {kTarvexProduct, L"en-US", L"en-US"},
      {kLegacyProductA, L"zh-CHS", L"zh-CN"},  {kLegacyProductA, L"de-DE", L"de-DE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.stored)));
    DeleteRawKey(HKEY_LOCAL_MACHINE, kTarvexProduct);
    DeleteRawKey(HKEY_LOCAL_MACHINE, kLegacyProductA);
    PutText(row.place, L"CurrentCulture", row.stored);
    EXPECT_EQ(store.GetCurrentCulture(), row.read);
  }

  store.SetCurrentCulture(L"zh-CHT");
  const RawValue stored = QueryRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"CurrentCulture");
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.data, TextBytes(L"zh-CHT"));
}

// Data that is not a whole, null-ended text of at most 511 characters reads as
// "", and then the getter falls back to its next place.
TEST_F(RegistryStoreTest, BadlyShapedStringsReadAsEmpty) {
  const std::wstring legacyPath = L"C:\\Legacy\\";
  PutText(kLegacyProductA, L"InstallPath", legacyPath);
  Bytes oddSize = TextBytes(L"C:\\A");
  oddSize.push_back(0);
  struct Row {
    const char* label;
    DWORD type;
    Bytes data;
    std::wstring read;
  };
  const Row rows[] = {
      {"511 characters", REG_SZ, TextBytes(std::wstring(511, L'x')), std::wstring(511, L'x')},
      {"512 characters", REG_SZ, TextBytes(std::wstring(512, L'x')), L""},
      {"2000 characters", REG_SZ, TextBytes(std::wstring(2000, L'x')), L""},
      {"512 characters without null", REG_SZ, TextBytes(std::wstring(512, L'x'), false), L""},
      {"short text without null", REG_SZ, TextBytes(L"C:\\A", false), L""},
      {"no data", REG_SZ, Bytes(), L""},
      {"odd size", REG_SZ, oddSize, L""},
      {"embedded null", REG_SZ, TextBytes(std::wstring(L"C:\\A\0B", 6)), L"C:\\A"},
      {"expandable", REG_EXPAND_SZ, TextBytes(L"%ProgramFiles%\\Tarvex\\"), L"%ProgramFiles%\\Tarvex\\"},
      {"multi-string", REG_MULTI_SZ, TextBytes(std::wstring(L"C:\\A\0", 5)), L""},
      {"binary", REG_BINARY, TextBytes(L"C:\\A"), L""},
      {"number", REG_DWORD, DwordBytes(1), L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    PutRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"InstallPath", row.type, row.data);
    EXPECT_EQ(store.ReadString(kTarvexProduct, L"InstallPath"), row.read);
    EXPECT_EQ(store.GetInstallPath(), row.read.empty() ? legacyPath : row.read);
  }
}

TEST_F(RegistryStoreTest, NumbersReadOnlyFromFourByteDwords) {
  struct Row {
    const char* label;
    DWORD type;
    Bytes data;
    int dword;
    int installState;
    bool kt4400;
  };
  const Row rows[] = {
      {"1", REG_DWORD, DwordBytes(1), 1, 1, true},
      {"3", REG_DWORD, DwordBytes(3), 3, 3, false},
      {"0", REG_DWORD, DwordBytes(0), 0, 0, false},
      {"2", REG_DWORD, DwordBytes(2), 2, 2, false},
      {"high bit", REG_DWORD, DwordBytes(0x80000000u), INT_MIN, INT_MIN, false},
      {"all bits", REG_DWORD, DwordBytes(0xFFFFFFFFu), -1, 5, false},
      {"text", REG_SZ, TextBytes(L"1"), -1, 5, false},
      {"qword", REG_QWORD, QwordBytes(1), -1, 5, false},
      {"binary", REG_BINARY, DwordBytes(1), -1, 5, false},
      {"two bytes", REG_DWORD, Bytes{1, 0}, -1, 5, false},
      {"big endian", REG_DWORD_BIG_ENDIAN, DwordBytes(1), -1, 5, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    PutRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"IsInstalled", row.type, row.data);
    PutRaw(HKEY_LOCAL_MACHINE, kObrintProduct, L"IsInstalled", row.type, row.data);
    PutRaw(HKEY_LOCAL_MACHINE, kTarvexPermanent, L"KT4400Detected", row.type, row.data);
    EXPECT_EQ(store.ReadDword(kTarvexProduct, L"IsInstalled"), row.dword);
    EXPECT_EQ(store.GetInstallState(L"Tarvex"), row.installState);
    EXPECT_EQ(store.GetInstallState(L"Obrint"), row.installState);
    EXPECT_EQ(store.IsKT4400Detected(), row.kt4400);
  }
}

TEST_F(RegistryStoreTest, FlagsAreTrueOnlyForOne) {
  const std::pair<const wchar_t*, bool> rows[] = {
      {L"1", true}, {L"0", false}, {L"true", false}, {L" 1", false}, {L"11", false}, {L"", false},
  };
  for (const auto& [stored, expected] : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(stored)));
    PutText(kTarvexProduct, L"StartMinimized", stored);
    PutText(kTarvexProduct, L"StartWithWindows", stored);
    EXPECT_EQ(store.GetStartMinimized(), expected);
    EXPECT_EQ(store.GetStartWithWindows(), expected);
  }
}

TEST_F(RegistryStoreTest, SettersWriteIntoThe32BitView) {
  struct Row {
    const char* label;
    std::function<void(const RegistryStore&)> set;
    const std::wstring& path;
    const wchar_t* valueName;
    DWORD type;
    Bytes data;
  };
  const Row rows[] = {
      {"culture", [](const RegistryStore& s) { s.SetCurrentCulture(L"pt-BR"); }, kTarvexProduct, L"CurrentCulture",
       REG_SZ, TextBytes(L"pt-BR")},
      {"state 1", [](const RegistryStore& s) { s.SetInstallState(1); }, kTarvexProduct, L"IsInstalled", REG_DWORD,
       DwordBytes(1)},
      {"state 3", [](const RegistryStore& s) { s.SetInstallState(3); }, kTarvexProduct, L"IsInstalled", REG_DWORD,
       DwordBytes(3)},
      {"Obrint state", [](const RegistryStore& s) { s.SetInstallState(L"Obrint", 1); }, kObrintProduct,
       L"IsInstalled", REG_DWORD, DwordBytes(1)},
      {"install path", [](const RegistryStore& s) { s.SetInstallPath(kInstallFolder); }, kTarvexProduct,
       L"InstallPath", REG_SZ, TextBytes(kInstallFolder)},
      {"minimized", [](const RegistryStore& s) { s.SetStartMinimized(true); }, kTarvexProduct, L"StartMinimized",
       REG_SZ, TextBytes(L"1")},
      {"not minimized", [](const RegistryStore& s) { s.SetStartMinimized(false); }, kTarvexProduct,
       L"StartMinimized", REG_SZ, TextBytes(L"0")},
      {"with Windows", [](const RegistryStore& s) { s.SetStartWithWindows(true); }, kTarvexProduct,
       L"StartWithWindows", REG_SZ, TextBytes(L"1")},
      {"not with Windows", [](const RegistryStore& s) { s.SetStartWithWindows(false); }, kTarvexProduct,
       L"StartWithWindows", REG_SZ, TextBytes(L"0")},
      {"temp path", [](const RegistryStore& s) { s.SetTempPath(L"C:\\Temp\\K\\"); }, kTarvexProduct, L"TempPath",
       REG_SZ, TextBytes(L"C:\\Temp\\K\\")},
      {"size", [](const RegistryStore& s) { s.SetEstimatedSize(40960); }, kTarvexEntry, L"EstimatedSize", REG_QWORD,
       QwordBytes(40960)},
      {"negative size", [](const RegistryStore& s) { s.SetEstimatedSize(-2); }, kTarvexEntry, L"EstimatedSize",
       REG_QWORD, QwordBytes(0xFFFFFFFFFFFFFFFEull)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    row.set(store);
    const RawValue written = QueryRaw(HKEY_LOCAL_MACHINE, row.path, row.valueName, kView32);
    EXPECT_EQ(written.status, ERROR_SUCCESS);
    EXPECT_EQ(written.type, row.type);
    EXPECT_EQ(written.data, row.data);
    EXPECT_NE(QueryRaw(HKEY_LOCAL_MACHINE, row.path, row.valueName, kView64).status, ERROR_SUCCESS);
  }
}

// Start-up learns of an unwritable registry by reading the language back.
TEST_F(RegistryStoreTest, CurrentCultureWriteCanBeMadeToFail) {
  SetCurrentCultureWriteFailsForTesting(true);
  store.SetCurrentCulture(L"de-DE");
  store.SetTempPath(L"C:\\T\\");
  EXPECT_EQ(store.GetCurrentCulture(), L"");
  EXPECT_EQ(store.GetTempPath(), L"C:\\T\\");
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexProduct), Names{L"TempPath"});

  SetCurrentCultureWriteFailsForTesting(false);
  DeleteRawKey(HKEY_LOCAL_MACHINE, kTarvexProduct);
  store.SetCurrentCulture(L"de-DE");
  EXPECT_EQ(store.GetCurrentCulture(), L"de-DE");
  // The first write on a clean machine creates the key with this value alone.
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexProduct), Names{L"CurrentCulture"});
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kTarvexProduct, kView64));
}

TEST_F(RegistryStoreTest, UninstallEntryHoldsExactlyItsValues) {
  store.WriteUninstallEntry(VersionString(L"2.10.0"));
  struct Row {
    const std::wstring& path;
    const wchar_t* valueName;
    std::wstring text;
  };
  const Row rows[] = {
      {kTarvexEntry, L"DisplayVersion", L"2.10.0"},
      {kTarvexProduct, L"CurrentVersion", L"2.10.0"},
      {kTarvexEntry, L"DisplayName", L"Kavadesk"},
      {kTarvexEntry, L"DisplayIcon", kInstallFolder + L"Kavadesk.exe"},
      {kTarvexEntry, L"InstallSource", kInstallFolder + L"registry_tests.exe"},
      {kTarvexEntry, L"Publisher", L"Tarvex Corporation"},
      {kTarvexEntry, L"UninstallString", L"\"" + kInstallFolder + L"registry_tests.exe\" -uninstall"},
      {kTarvexProduct, L"IsCachePolicy", L"0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.valueName)));
    const RawValue written = QueryRaw(HKEY_LOCAL_MACHINE, row.path, row.valueName);
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written.data, TextBytes(row.text));
  }
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexEntry),
            (Names{L"DisplayVersion", L"DisplayName", L"DisplayIcon", L"InstallSource", L"Publisher",
                   L"UninstallString"}));
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexProduct), (Names{L"CurrentVersion", L"IsCachePolicy"}));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kTarvexEntry, kView64));
}

TEST_F(RegistryStoreTest, RemovalLeavesOnlyTheUserSettingsAndForeignKeys) {
  // Everything both brands' installations, the earlier generation and others record.
  store.WriteUninstallEntry(VersionString(L"2.10.0"));
  store.SetEstimatedSize(1024);
  store.SetInstallState(3);
  store.SetInstallPath(kInstallFolder);
  store.SetCurrentCulture(L"zh-CHS");
  store.SetStartMinimized(true);
  store.SetStartWithWindows(true);
  store.SetTempPath(L"C:\\T\\");
  PutText(kTarvexProduct + L"\\Settings", L"Theme", L"dark");
  PutText(L"SOFTWARE\\Tarvex", L"Kept", L"1");
  PutRaw(HKEY_LOCAL_MACHINE, kTarvexPermanent, L"KT4400Detected", REG_DWORD, DwordBytes(1));
  store.SetInstallState(L"Obrint", 3);
  PutText(kObrintProduct, L"InstallPath", L"C:\\Program Files (x86)\\Obrint\\SSD Kavadesk\\");
  PutText(kObrintEntry, L"DisplayVersion", L"2.9.0");
  const std::wstring legacyPath = L"C:\\Program Files (x86)\\TX\\SSD Kavadesk\\";
  PutText(kLegacyProductA, L"InstallPath", legacyPath);
  PutText(kLegacyProductB, L"CurrentVersion", L"1.4.0");
  PutText(kLegacyEntry, L"DisplayVersion", L"1.4.0");
  const std::wstring otherEntry = kUninstall + L"\\Other Product";
  PutText(otherEntry, L"DisplayName", L"Other");
  PutRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"IsInstalled", REG_DWORD, DwordBytes(3), kView64);
  for (const wchar_t* name : {L"TarvexSSDKavadesk", L"ObrintSSDKavadesk", L"OtherProgram"})
    PutRaw(HKEY_CURRENT_USER, kRunOnce, name, REG_SZ, TextBytes(L"C:\\x.exe"), 0);

  store.RemoveInstallationRecords();

  struct Row {
    std::wstring path;
    REGSAM view;
    bool exists;
  };
  const Row keys[] = {
      {kTarvexEntry, kView32, false},         {kObrintEntry, kView32, false},
      {kObrintProduct, kView32, false},       {kLegacyEntry, kView32, true},
      {otherEntry, kView32, true},            {kLegacyProductA, kView32, true},
      {kLegacyProductB, kView32, true},       {kTarvexPermanent, kView32, true},
      {L"SOFTWARE\\Obrint", kView32, true},   {kTarvexProduct, kView64, true},
  };
  for (const Row& row : keys)
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, row.path, row.view), row.exists) << testing::PrintToString(row.path);

  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexProduct), (Names{L"CurrentCulture", L"StartMinimized"}));
  EXPECT_EQ(SubkeyCount(kTarvexProduct), 0u);
  // The language is written back as it was read, that is mapped.
  EXPECT_EQ(QueryRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"CurrentCulture").data, TextBytes(L"zh-CN"));
  EXPECT_EQ(QueryRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"StartMinimized").data, TextBytes(L"1"));
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvex"), Names{L"Kept"});
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexProduct, kView64), Names{L"IsInstalled"});
  const Names runOnce = ValueNames(HKEY_CURRENT_USER, kRunOnce, 0);
  EXPECT_EQ(runOnce.count(L"TarvexSSDKavadesk") + runOnce.count(L"ObrintSSDKavadesk"), 0u);
  EXPECT_EQ(runOnce.count(L"OtherProgram"), 1u);

  // What the earlier generation recorded still shows through the getters.
  EXPECT_TRUE(store.IsKT4400Detected());
  EXPECT_EQ(store.GetInstallState(L"Tarvex"), 5);
  EXPECT_EQ(store.GetInstallState(L"Obrint"), 5);
  EXPECT_EQ(store.GetInstallPath(), legacyPath);
  EXPECT_EQ(store.GetObrintInstallPath(), L"");
  EXPECT_EQ(store.GetInstalledVersion().Get(), L"1.4.0");
  EXPECT_EQ(store.GetCurrentVersion().Get(), L"1.4.0");
}

TEST_F(RegistryStoreTest, RemovalWritesBackLanguageAndStartMinimized) {
  struct Row {
    const char* label;
    const wchar_t* productCulture;  // nullptr: missing
    const wchar_t* legacyCulture;
    const wchar_t* startMinimized;
    const wchar_t* culture;
    const wchar_t* minimized;
  };
  const Row rows[] = {
      {"nothing recorded", nullptr, nullptr, nullptr, L"", L"0"},
      {"traditional Chinese, minimized", L"zh-CHT", nullptr, L"1", L"zh-TW", L"1"},
      {"legacy language", nullptr, L"fr-FR", L"0", L"fr-FR", L"0"},
      {"flag not 1", L"de-DE", L"fr-FR", L"yes", L"de-DE", L"0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    DeleteRawKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvex");
    DeleteRawKey(HKEY_LOCAL_MACHINE, kLegacyProductA);
    if (row.productCulture) PutText(kTarvexProduct, L"CurrentCulture", row.productCulture);
    if (row.legacyCulture) PutText(kLegacyProductA, L"CurrentCulture", row.legacyCulture);
    if (row.startMinimized) PutText(kTarvexProduct, L"StartMinimized", row.startMinimized);

    store.RemoveInstallationRecords();

    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kTarvexProduct), (Names{L"CurrentCulture", L"StartMinimized"}));
    EXPECT_EQ(QueryRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"CurrentCulture").data, TextBytes(row.culture));
    EXPECT_EQ(QueryRaw(HKEY_LOCAL_MACHINE, kTarvexProduct, L"StartMinimized").data, TextBytes(row.minimized));
    if (row.legacyCulture) {
      EXPECT_EQ(QueryRaw(HKEY_LOCAL_MACHINE, kLegacyProductA, L"CurrentCulture").data, TextBytes(row.legacyCulture));
    }
  }
}

// The window and a worker may read at the same moment; each read has a key
// of its own, so neither sees the other's value.
TEST_F(RegistryStoreTest, ReadsOnTwoThreadsDoNotMix) {
  PutText(kTarvexProduct, L"InstallPath", L"C:\\Tarvex\\");
  PutText(kObrintProduct, L"InstallPath", L"C:\\Obrint\\");
  PutRaw(HKEY_LOCAL_MACHINE, kObrintProduct, L"IsInstalled", REG_DWORD, DwordBytes(1));
  std::atomic<int> wrong{0};
  std::thread worker([&] {
    for (int i = 0; i < 300; ++i)
      if (store.GetObrintInstallPath() != L"C:\\Obrint\\" || store.GetInstallState(L"Obrint") != 1) ++wrong;
  });
  for (int i = 0; i < 300; ++i)
    if (store.GetInstallPath() != L"C:\\Tarvex\\" || store.GetInstallState(L"Tarvex") != 5) ++wrong;
  worker.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace kavadesk
