#include "base/file_system.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace {

constexpr DWORD kTempPathCapacity = MAX_PATH + 1;

}  // namespace

bool create_directories(const std::wstring& dir) {
  if (dir.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(dir), ec);
  if (ec) return false;
  return std::filesystem::is_directory(std::filesystem::path(dir), ec);
}

bool create_parent_directories(const std::wstring& path) {
  const size_t last = path.find_last_of(L"\\/");
  if (last == std::wstring::npos || last == 0) return true;
  const std::wstring parent = path.substr(0, last);
  // "C:" names the drive's current directory, which always exists.
  if (parent.size() == 2 && parent[1] == L':') return true;
  return create_directories(parent);
}

bool path_exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void remove_tree(const std::wstring& dir) {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(dir), ec);
}

std::wstring temp_root() {
  wchar_t buffer[kTempPathCapacity] = {};
  const DWORD length = GetTempPathW(kTempPathCapacity, buffer);
  if (length == 0 || length >= kTempPathCapacity) return {};
  return std::wstring(buffer, length);
}

std::wstring join_path(const std::wstring& dir, const std::wstring& name) {
  if (dir.empty()) return name;
  const wchar_t last = dir.back();
  if (last == L'\\' || last == L'/') return dir + name;
  return dir + L'\\' + name;
}
