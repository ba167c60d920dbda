// The downloader against the fixture server, through Wine's own WinINet. Each
// test case runs in a prefix and with a fixture server of its own.
#include "net/downloader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/installer_config.h"
#include "i18n/translation_catalog.h"
#include "net/wininet_api.h"
#include "support/error_box_capture.h"
#include "support/process.h"
#include "support/shipped_languages.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

using Box = test::ErrorBoxCapture::Box;
using Boxes = std::vector<Box>;

const std::wstring kFolder = L"application/1.0/";
const std::wstring kPackage = L"Kavadesk.zip";
const std::wstring kAlternate = L"TarvexKavadesk.zip";
const std::wstring kManifestFolder = L"config/";
const std::wstring kManifest = L"merel_updater.xml";
const std::string kPackageUrlPath = "/txKavadesk/application/1.0/Kavadesk.zip";
const std::string kManifestUrlPath = "/txKavadesk/config/merel_updater.xml";

// Bytes that differ from chunk to chunk, every value from 0 to 255 included.
std::string PatternBytes(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& b : bytes) {
    state = state * 1103515245u + 12345u;
    b = static_cast<char>(state >> 24);
  }
  return bytes;
}

std::wstring ServedPath(const std::wstring& folder, const std::wstring& file) {
  std::wstring path = test::FixtureRoot() + L"txKavadesk\\" + folder + file;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::optional<std::uintmax_t> FileSize(const std::wstring& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? std::nullopt : std::optional<std::uintmax_t>(size);
}

class DownloaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test::FixtureUrl().empty());
    ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
    Catalog().SetLanguage(L"en-US");
    BuildInstallerConfig(test::FixtureUrl());
  }

  static void Serve(const std::wstring& folder, const std::wstring& file, const std::string& bytes) {
    ASSERT_TRUE(test::WriteWholeFile(ServedPath(folder, file), bytes));
  }

  static std::wstring Local(const std::wstring& file) { return test::RunDir() + file; }
};

TEST_F(DownloaderTest, BodiesAreSavedByteForByte) {
  // Around the 4096-byte chunk, and a package of a few MiB.
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4096}, std::size_t{4097},
                                 std::size_t{3 * 1024 * 1024 + 123}}) {
    SCOPED_TRACE(size);
    const std::string bytes = PatternBytes(size);
    Serve(kFolder, kPackage, bytes);
    test::ErrorBoxCapture boxes;
    EXPECT_TRUE(ServerFileExists(kFolder, kPackage));
    ASSERT_TRUE(DownloadToFile(kFolder, test::RunDir(), kPackage));
    EXPECT_EQ(test::ReadWholeFile(Local(kPackage)), bytes);
    EXPECT_EQ(boxes.Boxes(), Boxes());
  }
}

TEST_F(DownloaderTest, DownloadToInstallFolderWritesThere) {
  const std::string bytes = PatternBytes(10000);
  Serve(kFolder, kPackage, bytes);
  std::filesystem::create_directories(InstallFolder());
  ASSERT_TRUE(DownloadToInstallFolder(kFolder, kPackage));
  EXPECT_EQ(test::ReadWholeFile(InstallFolder() + kPackage), bytes);
}

TEST_F(DownloaderTest, FetchTextTakesOneCharacterPerByte) {
  struct Case {
    const char* name;
    std::string body;
    std::wstring text;
  };
  const std::wstring longText(10000, L'v');
  const Case cases[] = {
      {"manifest", "<version>1.2.3</version>\r\n", L"<version>1.2.3</version>\r\n"},
      {"several chunks", std::string(10000, 'v'), longText},
      {"bytes from 0x80", "\xC3\xA9\xFF", L"\u00C3\u00A9\u00FF"},
      {"empty", "", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Serve(kManifestFolder, kManifest, c.body);
    test::ErrorBoxCapture boxes;
    std::wstring text = L"earlier";
    ASSERT_TRUE(FetchText(kManifestFolder, kManifest, text));
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(boxes.Boxes(), Boxes());
  }
}

TEST_F(DownloaderTest, SuccessfulStatusesIncludeRedirectsAndThe300s) {
  const std::string target = PatternBytes(5000);
  Serve(kFolder, kAlternate, target);
  struct Case {
    const char* rule;
    std::string body;
  };
  const Case cases[] = {
      {R"({"redirect": "/txKavadesk/application/1.0/TarvexKavadesk.zip"})", target},
      {R"({"status": 399, "body": "odd but fine"})", "odd but fine"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    test::WriteFixtureRules("{\"" + kPackageUrlPath + "\": " + c.rule + "}");
    test::ErrorBoxCapture boxes;
    EXPECT_TRUE(ServerFileExists(kFolder, kPackage));
    ASSERT_TRUE(DownloadToFile(kFolder, test::RunDir(), kPackage));
    EXPECT_EQ(test::ReadWholeFile(Local(kPackage)), c.body);
    EXPECT_EQ(boxes.Boxes(), Boxes());
  }
}

TEST_F(DownloaderTest, FailedStatusesShowTheirBoxAndLeaveAnEmptyFile) {
  struct Case {
    const char* rule;  // none: the file is simply missing
    const wchar_t* language;
    Box box;
  };
  const Case cases[] = {
      {nullptr, L"en-US", {L"Error", L"Missing file: Kavadesk.zip"}},
      {nullptr, L"de-DE", {L"Fehler", L"Fehlende Datei: Kavadesk.zip"}},
      {R"({"status": 500})", L"en-US", {L"Error", L"Internal server error downloading file Kavadesk.zip"}},
      {R"({"status": 500})", L"de-DE",
       {L"Fehler", L"Interner Serverfehler beim Herunterladen der Datei Kavadesk.zip"}},
      {R"({"status": 403})", L"en-US", {L"Error", L"Error code 403 downloading file Kavadesk.zip"}},
      {R"({"status": 403})", L"de-DE", {L"Fehler", L"Fehlercode 403 beim Herunterladen der Datei Kavadesk.zip"}},
      {R"({"status": 400})", L"en-US", {L"Error", L"Error code 400 downloading file Kavadesk.zip"}},
      {R"({"redirect": "/txKavadesk/application/1.0/gone.zip"})", L"en-US",
       {L"Error", L"Missing file: Kavadesk.zip"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule ? c.rule : "missing");
    SCOPED_TRACE(c.language);
    Catalog().SetLanguage(c.language);
    test::WriteFixtureRules(c.rule ? "{\"" + kPackageUrlPath + "\": " + c.rule + "}" : "{}");
    // Whatever lay there before is emptied, since the file is created first.
    ASSERT_TRUE(test::WriteWholeFile(Local(kPackage), "an earlier download"));

    test::ErrorBoxCapture boxes;
    EXPECT_FALSE(ServerFileExists(kFolder, kPackage));
    EXPECT_EQ(boxes.Boxes(), Boxes());
    EXPECT_FALSE(DownloadToFile(kFolder, test::RunDir(), kPackage));
    EXPECT_EQ(boxes.Boxes(), Boxes({c.box}));
    EXPECT_EQ(FileSize(Local(kPackage)), std::optional<std::uintmax_t>(0));
  }
}

TEST_F(DownloaderTest, FetchTextFailureLeavesTheOutputAlone) {
  test::ErrorBoxCapture boxes;
  std::wstring text = L"earlier";
  EXPECT_FALSE(FetchText(kManifestFolder, kManifest, text));
  EXPECT_EQ(text, L"earlier");
  EXPECT_EQ(boxes.Boxes(), Boxes({{L"Error", L"Missing file: merel_updater.xml"}}));
}

TEST_F(DownloaderTest, ConnectionFailuresShowTheSystemTextOrTheCertificateText) {
  // Port 1 of the loopback refuses; the TLS listener's certificate is self-signed.
  const std::wstring refused = L"http://127.0.0.1:1/";
  const std::wstring refusedText = L"The attempt to connect to the server failed.(0x2efd): ";
  struct Case {
    const char* name;
    std::wstring baseUrl;
    bool fetchText;  // FetchText of the manifest, else DownloadToFile of the package
    const wchar_t* language;
    Box box;
  };
  const Case cases[] = {
      {"untrusted, manifest", test::FixtureTlsUrl(), true, L"en-US",
       {L"Error", L"SSL handshake failed (0x2F0D): merel_updater.xml"}},
      {"untrusted, manifest", test::FixtureTlsUrl(), true, L"de-DE",
       {L"Fehler", L"SSL-Handshake fehlgeschlagen (0x2F0D): merel_updater.xml"}},
      // The package's open failure passes no detail.
      {"untrusted, package", test::FixtureTlsUrl(), false, L"en-US",
       {L"Error", L"SSL handshake failed (0x2F0D): "}},
      {"refused, manifest", refused, true, L"en-US", {L"Error", refusedText + L"merel_updater.xml"}},
      {"refused, package", refused, false, L"en-US", {L"Error", refusedText}},
  };
  Serve(kManifestFolder, kManifest, "<version>1.2.3</version>");
  Serve(kFolder, kPackage, "zip");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SCOPED_TRACE(c.language);
    Catalog().SetLanguage(c.language);
    BuildInstallerConfig(c.baseUrl);
    ASSERT_TRUE(test::WriteWholeFile(Local(kPackage), "an earlier download"));
    test::ErrorBoxCapture boxes;
    std::wstring text = L"earlier";
    EXPECT_FALSE(ServerFileExists(kFolder, kPackage));
    if (c.fetchText) {
      EXPECT_FALSE(FetchText(kManifestFolder, kManifest, text));
      EXPECT_EQ(text, L"earlier");
    } else {
      EXPECT_FALSE(DownloadToFile(kFolder, test::RunDir(), kPackage));
      EXPECT_EQ(FileSize(Local(kPackage)), std::optional<std::uintmax_t>(0));
    }
    EXPECT_EQ(boxes.Boxes(), Boxes({c.box}));
  }
}

TEST_F(DownloaderTest, BodyCutShortOfItsLengthIsAFailedDownload) {
  const std::string bytes = PatternBytes(200000);
  Serve(kFolder, kPackage, bytes);
  struct Case {
    const char* rule;
    const wchar_t* language;
    Box box;
  };
  const Case cases[] = {
      {R"({"close_after": 0})", L"en-US", {L"Error", L"Failed to download"}},
      {R"({"close_after": 70000})", L"en-US", {L"Error", L"Failed to download"}},
      {R"({"close_after": 70000})", L"de-DE", {L"Fehler", L"Fehler beim Herunterladen"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    SCOPED_TRACE(c.language);
    Catalog().SetLanguage(c.language);
    test::WriteFixtureRules("{\"" + kPackageUrlPath + "\": " + c.rule + "}");
    test::ErrorBoxCapture boxes;
    EXPECT_FALSE(DownloadToFile(kFolder, test::RunDir(), kPackage));
    EXPECT_EQ(boxes.Boxes(), Boxes({c.box}));
  }
}

TEST_F(DownloaderTest, CancelDuringTheBodyKeepsThePartSoFar) {
  // Trickled slowly enough that the whole body would take minutes.
  const std::string bytes = PatternBytes(1024 * 1024);
  Serve(kFolder, kPackage, bytes);
  test::WriteFixtureRules("{\"" + kPackageUrlPath + R"(": {"trickle": {"chunk": 1024, "interval": 0.1}}})");
  const std::wstring local = Local(kPackage);

  std::atomic<bool> finished{false};
  std::uintmax_t seenBeforeCancel = 0;
  std::thread canceller([&] {
    while (!finished.load()) {
      const std::optional<std::uintmax_t> size = FileSize(local);
      if (size && *size > 0) {
        seenBeforeCancel = *size;
        RequestDownloadCancel();
        return;
      }
      ::Sleep(10);
    }
  });
  test::ErrorBoxCapture boxes;
  const bool result = DownloadToFile(kFolder, test::RunDir(), kPackage);
  finished.store(true);
  canceller.join();

  EXPECT_TRUE(result);
  EXPECT_EQ(boxes.Boxes(), Boxes());
  const std::optional<std::string> saved = test::ReadWholeFile(local);
  ASSERT_TRUE(saved);
  EXPECT_GE(saved->size(), seenBeforeCancel);
  EXPECT_LT(saved->size(), bytes.size());
  EXPECT_EQ(*saved, bytes.substr(0, saved->size()));
}

TEST_F(DownloaderTest, AnEarlierCancelDoesNotStopTheNextDownload) {
  const std::string bytes = PatternBytes(20000);
  Serve(kFolder, kPackage, bytes);
  RequestDownloadCancel();
  ASSERT_TRUE(DownloadToFile(kFolder, test::RunDir(), kPackage));
  EXPECT_EQ(test::ReadWholeFile(Local(kPackage)), bytes);
}

TEST_F(DownloaderTest, ConnectionErrorBodies) {
  struct Case {
    DWORD code;
    std::wstring detail;
    std::optional<std::wstring> body;  // nullopt: no box at all
  };
  const Case cases[] = {
      {0, L"C:\\folder\\Kavadesk.zip", std::nullopt},
      // The certificate text takes the detail unchanged, the others its last element.
      {12045, L"C:\\folder\\merel_updater.xml", L"SSL handshake failed (0x2F0D): C:\\folder\\merel_updater.xml"},
      {ERROR_FILE_NOT_FOUND, L"C:\\folder\\Kavadesk.zip", L"File not found.(0x2): Kavadesk.zip"},
      {12007, L"", L"The server name could not be resolved.(0x2ee7): "},
      {12002, L"Kavadesk.zip", L"The request has timed out.(0x2ee2): Kavadesk.zip"},
      {0xDEAD, L"Kavadesk.zip", L"unknown error(0xdead): Kavadesk.zip"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    test::ErrorBoxCapture boxes;
    ShowConnectionError(c.code, c.detail);
    EXPECT_EQ(boxes.Boxes(), c.body ? Boxes({{L"Error", *c.body}}) : Boxes());
  }
}

TEST(HttpStatusValueTest, ReadsTheLeadingNumber) {
  const std::pair<std::wstring, long> cases[] = {
      {L"200", 200}, {L"  404", 404}, {L"+301", 301}, {L"-1", -1}, {L"50x", 50}, {L"", 0}, {L"OK", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(HttpStatusValue(text), value) << text.c_str();
}

TEST(WinInetApiTest, MissingEntriesFailAsTheFunctionWould) {
  EXPECT_TRUE(WinInet().IsComplete());
  const WinInetApi missing(nullptr);
  EXPECT_FALSE(missing.IsComplete());
  ::SetLastError(0);
  EXPECT_EQ(missing.InternetOpenW(L"", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  DWORD read = 0;
  EXPECT_FALSE(missing.InternetReadFile(nullptr, nullptr, 0, &read));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

}  // namespace
}  // namespace kavadesk
