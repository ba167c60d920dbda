#include "support/prefix_state.h"

#include <cstdio>
#include <vector>

#include "base/unique_handle.h"

namespace kavadesk::test {
namespace {

std::wstring ValueText(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  wchar_t number[32] = {};
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ: {
      std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
      if (type != REG_MULTI_SZ) {
        while (!text.empty() && text.back() == L'\0') text.pop_back();
      }
      return (type == REG_SZ ? L"sz:" : type == REG_EXPAND_SZ ? L"expand:" : L"multi:") + text;
    }
    case REG_DWORD:
      std::swprintf(number, 32, L"dword:%lu", size == 4 ? *reinterpret_cast<const DWORD*>(data.data()) : 0ul);
      return number;
    default: {
      std::wstring text = L"type" + std::to_wstring(type) + L":";
      for (DWORD i = 0; i < size; ++i) {
        std::swprintf(number, 32, L"%02x", data[i]);
        text += number;
      }
      return text;
    }
  }
}

void AddKey(HKEY key, const std::wstring& relative, StateLines& lines) {
  lines.insert(relative + L"\\");
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384] = {};
    DWORD nameLength = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size + 2);
    nameLength = 16384;
    if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    lines.insert(relative + L"\\" + name + L" = " + ValueText(type, data, size));
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256] = {};
    DWORD nameLength = 256;
    if (::RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(key, name, 0, KEY_READ, &opened) != ERROR_SUCCESS) continue;
    const UniqueHKey child(opened);
    AddKey(child.Get(), relative + L"\\" + name, lines);
  }
}

void AddFolder(const std::wstring& folder, const std::wstring& relative, StateLines& lines) {
  WIN32_FIND_DATAW entry = {};
  UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!search) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      lines.insert(path + L"\\");
      AddFolder(folder + L"\\" + name, path, lines);
    } else {
      lines.insert(path + L" (" + std::to_wstring(entry.nFileSizeLow) + L" bytes)");
    }
  } while (::FindNextFileW(search.Get(), &entry));
}

}  // namespace

StateLines RegistryTree(HKEY root, const std::wstring& path, REGSAM view) {
  StateLines lines;
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return lines;
  const UniqueHKey key(opened);
  AddKey(key.Get(), L"", lines);
  return lines;
}

StateLines FolderTree(const std::wstring& folder) {
  StateLines lines;
  std::wstring root = folder;
  while (!root.empty() && root.back() == L'\\') root.pop_back();
  AddFolder(root, L"", lines);
  return lines;
}

}  // namespace kavadesk::test
