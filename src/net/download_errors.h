// How the downloader judges an HTTP answer and tells the user of a failed
// transfer: every box goes through ShowErrorBox with the IDS_TITLE_ERROR title.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

namespace kavadesk {

// The number at the start of a status text: leading blanks skipped, an
// optional sign, then decimal digits up to the first other character; 0 when
// there are none.
long HttpStatusValue(const std::wstring& statusText);

// Queries the request's status as text. A status from 200 to 399 returns
// true; otherwise shows the box for that status (404 and 500 their own texts,
// any other the generic one with the status text), or, when the query itself
// fails, ShowConnectionError with its code and the file name, and returns false.
bool CheckHttpStatus(HINTERNET request, const std::wstring& fileName);

// The system's description of an error code, WinINet's own codes included,
// without its trailing line break; "unknown error" when the system has none.
std::wstring ErrorCodeMessage(DWORD code);

// Shows the box for a failed WinINet or system call: nothing for code 0; the
// ssl_error text with the detail for an untrusted certificate authority
// (12045); otherwise ErrorCodeMessage, "(0x" + the code in lower-case hex +
// "): " and the file-name part of the detail.
void ShowConnectionError(DWORD code, const std::wstring& detail);

}  // namespace kavadesk
