#include "net/downloader.h"

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "app/installer_config.h"
#include "base/unique_handle.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "net/wininet_api.h"

namespace kavadesk {
namespace {

constexpr DWORD kChunkSize = 4096;
constexpr DWORD kAbortedOperation = 0x80004004;  // E_ABORT

// How a transfer ended. Boxes that depend on it are shown once every handle
// of the transfer is closed.
struct TransferEnd {
  enum class Kind {
    kComplete,   // the body was read to its end, or a cancel stopped it
    kShort,      // the body ended before its announced Content-Length
    kFailed,     // a call failed: `code` and `detail` go to ShowConnectionError
    kReported,   // CheckHttpStatus has already shown its box
  };
  Kind kind = Kind::kComplete;
  DWORD code = 0;
  std::wstring detail;
  bool bodyReached = false;  // the status was accepted and reading began
};

// Receives each chunk of the body.
using ChunkSink = std::function<void(const char* data, DWORD size)>;
// Asked after every read; true ends the transfer as complete, the chunk untaken.
using CancelTest = std::function<bool()>;

UniqueHInternet OpenInternet() {
  return UniqueHInternet(WinInet().InternetOpenW(L"", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
}

UniqueHInternet OpenRequest(const UniqueHInternet& internet, const std::wstring& url) {
  return UniqueHInternet(
      WinInet().InternetOpenUrlW(internet.Get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
}

// The length the server announced for the body; nullopt when it sent none.
std::optional<std::uint64_t> AnnouncedLength(HINTERNET request) {
  wchar_t text[64] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (!WinInet().HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return std::nullopt;
  std::uint64_t value = 0;
  bool anyDigit = false;
  for (const wchar_t* c = text; *c >= L'0' && *c <= L'9'; ++c) {
    value = value * 10 + static_cast<std::uint64_t>(*c - L'0');
    anyDigit = true;
  }
  return anyDigit ? std::optional<std::uint64_t>(value) : std::nullopt;
}

// Opens the URL, checks the status and hands the body to `sink` chunk by
// chunk. Both handles are closed when this returns. `openDetail` is the
// detail reported when the request cannot be opened. With a `cancelled` test,
// a body that ends uncancelled short of its Content-Length is a kShort end.
TransferEnd Transfer(const std::wstring& url, const std::wstring& fileName, const std::wstring& openDetail,
                     const CancelTest& cancelled, const ChunkSink& sink) {
  const UniqueHInternet internet = OpenInternet();
  if (!internet) return {TransferEnd::Kind::kFailed, ::GetLastError(), L""};
  const UniqueHInternet request = OpenRequest(internet, url);
  if (!request) return {TransferEnd::Kind::kFailed, ::GetLastError(), openDetail};
  if (!CheckHttpStatus(request.Get(), fileName)) return {TransferEnd::Kind::kReported, 0, L""};

  const std::optional<std::uint64_t> announced = cancelled ? AnnouncedLength(request.Get()) : std::nullopt;
  std::uint64_t received = 0;
  const auto isCancelled = [&cancelled] { return cancelled && cancelled(); };
  // WinINet ends a body cut by the server as it ends a whole one; only the
  // announced length tells them apart.
  const auto finished = [&]() -> TransferEnd {
    if (announced && received < *announced && !isCancelled()) {
      return {TransferEnd::Kind::kShort, 0, L"", true};
    }
    return {TransferEnd::Kind::kComplete, 0, L"", true};
  };

  char buffer[kChunkSize];
  for (;;) {
    DWORD read = 0;
    if (!WinInet().InternetReadFile(request.Get(), buffer, kChunkSize, &read)) {
      const DWORD code = ::GetLastError();
      if (code == 0 || code == kAbortedOperation) return finished();
      return {TransferEnd::Kind::kFailed, code, fileName, true};
    }
    if (isCancelled() || read == 0) return finished();
    sink(buffer, read);
    received += read;
  }
}

// Shows what a failed transfer left to report; true when it did not fail.
bool Report(const TransferEnd& end) {
  switch (end.kind) {
    case TransferEnd::Kind::kComplete:
      return true;
    case TransferEnd::Kind::kShort:
      ShowErrorBox(Catalog().GetText(L"error_download"));
      return false;
    case TransferEnd::Kind::kFailed:
      ShowConnectionError(end.code, end.detail);
      return false;
    case TransferEnd::Kind::kReported:
      return false;
  }
  return false;
}

void ShowNoNetworkBox() { ShowErrorBox(Catalog().GetText(L"error_no_network"), L"error_download"); }

}  // namespace

bool IsConnected() {
  DWORD flags = 0;
  return WinInet().InternetGetConnectedState(&flags, 0) != FALSE;
}

bool ServerFileExists(const std::wstring& folderPath, const std::wstring& fileName) {
  if (!IsConnected()) return false;
  const UniqueHInternet internet = OpenInternet();
  if (!internet) return false;
  const UniqueHInternet request = OpenRequest(internet, ServerFolderUrl() + folderPath + fileName);
  if (!request) return false;
  wchar_t status[512] = {};
  DWORD size = 512;
  const long value = WinInet().HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE, status, &size, nullptr)
                         ? HttpStatusValue(status)
                         : 0;
  return value >= 200 && value <= 399;
}

bool DownloadToFile(const std::wstring& folderPath, const std::wstring& localFolder,
                    const std::wstring& fileName) {
  if (!IsConnected()) {
    ShowNoNetworkBox();
    return false;
  }
  ClearDownloadCancel();
  const std::wstring url = ServerFolderUrl() + folderPath + fileName;
  const std::wstring localPath = localFolder + fileName;

  TransferEnd end;
  {
    // Created before any network call; whether it opened or takes the writes
    // is not checked, a failure shows in what is missing afterwards.
    const UniqueFile file(::CreateFileW(localPath.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    end = Transfer(url, fileName, L"", DownloadCancelRequested, [&file](const char* data, DWORD size) {
      DWORD written = 0;
      ::WriteFile(file.Get(), data, size, &written, nullptr);
    });
  }
  return Report(end);
}

bool DownloadToInstallFolder(const std::wstring& folderPath, const std::wstring& fileName) {
  return DownloadToFile(folderPath, InstallFolder(), fileName);
}

bool FetchText(const std::wstring& folderPath, const std::wstring& fileName, std::wstring& output) {
  const std::wstring url = ServerFolderUrl() + folderPath + fileName;
  if (!IsConnected()) {
    ShowNoNetworkBox();
    return false;
  }
  std::wstring text;
  const TransferEnd end = Transfer(url, fileName, fileName, nullptr, [&text](const char* data, DWORD size) {
    for (DWORD i = 0; i < size; ++i) text += static_cast<wchar_t>(static_cast<unsigned char>(data[i]));
  });
  // Failures before the body leave the output as it was; from the body on it
  // holds what arrived.
  if (end.bodyReached) output = std::move(text);
  return Report(end);
}

}  // namespace kavadesk
