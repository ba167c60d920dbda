// The installer's only network code: HTTP(S) GETs from the download server
// through WinINet. Every address is ServerFolderUrl() + folder path + file
// name. Failures are reported to the user here, in boxes with translated
// texts; the callers end the process when a call returns false.
#pragma once

#include <string>

#include "net/download_errors.h"

namespace kavadesk {

// What InternetGetConnectedState reports; false when the entry is missing.
bool IsConnected();

// True when the server answers the file with a status from 200 to 399. Never
// shows a box and does not read the body; offline or on any failure, false.
bool ServerFileExists(const std::wstring& folderPath, const std::wstring& fileName);

// Stores the file's body as localFolder + fileName, 4096 bytes at a time. The
// local file is created (or emptied) before any network call, so a failure
// leaves it empty. Clears the download-cancel flag first; a cancel ends the
// transfer at the next chunk and returns true with the part written so far.
// Returns false after its box: offline, a failed open, read or status, or a
// body that ended short of its announced Content-Length.
bool DownloadToFile(const std::wstring& folderPath, const std::wstring& localFolder,
                    const std::wstring& fileName);

// DownloadToFile into InstallFolder().
bool DownloadToInstallFolder(const std::wstring& folderPath, const std::wstring& fileName);

// Fetches a small ASCII document; each byte becomes one character of the same
// value. On success `output` holds the whole body; failures before the body is
// read leave it untouched. Returns false after its box.
bool FetchText(const std::wstring& folderPath, const std::wstring& fileName, std::wstring& output);

}  // namespace kavadesk
