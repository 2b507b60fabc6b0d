#include "base/file_system.h"

#include <windows.h>

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/pause_point.h"
#include "base/scoped_handle.h"
#include "base/win_handle.h"

namespace {

constexpr DWORD kTempPathCapacity = MAX_PATH + 1;
// Long enough for any path the file system accepts ("\\?\" paths included).
constexpr DWORD kFullPathCapacity = 32768;
constexpr DWORD kCopyChunk = 1024 * 1024;

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

namespace {

bool is_link(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool is_directory(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One entry whose attributes are known: a link goes as itself, a folder after its contents.
void remove_entry(const std::wstring& path, DWORD attributes);

void remove_contents(const std::wstring& dir) {
  WIN32_FIND_DATAW found;
  ScopedFind search(FindFirstFileExW(join_path(dir, L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0));
  if (!search) return;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    remove_entry(join_path(dir, name), found.dwFileAttributes);
  } while (FindNextFileW(search.get(), &found));
}

void remove_entry(const std::wstring& path, DWORD attributes) {
  if (is_directory(attributes) && !is_link(attributes)) remove_contents(path);
  // A read-only entry refuses deletion on Windows; it is ours to remove.
  clear_read_only(path, attributes);
  // For a directory link RemoveDirectoryW removes the link, for a file link DeleteFileW does.
  if (is_directory(attributes)) {
    RemoveDirectoryW(path.c_str());
  } else {
    DeleteFileW(path.c_str());
  }
}

}  // namespace

void clear_read_only(const std::wstring& path, DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  }
}

bool delete_file(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  clear_read_only(path, attributes);
  return DeleteFileW(path.c_str()) != 0;
}

bool remove_tree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return !path_exists(path);
  remove_entry(path, attributes);
  return !path_exists(path);
}

namespace {

// The copy MoveFileEx would make across volumes, but flushed before the source is deleted (and
// with a point a test can stop at half-way).
bool copy_then_delete(const std::wstring& from, const std::wstring& to) {
  ScopedKernelHandle source(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source) return false;
  ScopedKernelHandle target(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target) return false;
  std::vector<char> buffer(kCopyChunk);
  bool copied = true;
  for (bool first = true;; first = false) {
    DWORD read = 0;
    if (!ReadFile(source.get(), buffer.data(), kCopyChunk, &read, nullptr)) {
      copied = false;
      break;
    }
    if (read == 0) break;
    DWORD written = 0;
    if (!WriteFile(target.get(), buffer.data(), read, &written, nullptr) || written != read) {
      copied = false;
      break;
    }
    if (first) pause_point("copying");
  }
  copied = copied && FlushFileBuffers(target.get());
  target.reset();
  if (!copied) {
    DeleteFileW(to.c_str());
    return false;
  }
  source.reset();
  DeleteFileW(from.c_str());  // a copy left in a temporary folder is only clutter
  return true;
}

}  // namespace

bool move_file_durably(const std::wstring& from, const std::wstring& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
  if (GetLastError() != ERROR_NOT_SAME_DEVICE) return false;
  return copy_then_delete(from, to);
}

bool flush_file(const std::wstring& path) {
  ScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && FlushFileBuffers(file.get());
}

std::wstring temp_root() {
  wchar_t buffer[kTempPathCapacity] = {};
  const DWORD length = GetTempPathW(kTempPathCapacity, buffer);
  if (length == 0 || length >= kTempPathCapacity) return {};
  return std::wstring(buffer, length);
}

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

// The final path of an existing folder, in the plain DOS form ("D:\x", "\\server\share\x").
std::optional<std::wstring> final_path(const std::wstring& folder) {
  const ScopedKernelHandle handle(CreateFileW(folder.c_str(), 0,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                              nullptr));
  if (!handle) return std::nullopt;
  std::wstring path(kFullPathCapacity, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(handle.get(), path.data(), kFullPathCapacity,
                                                 FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= kFullPathCapacity) return std::nullopt;
  path.resize(length);
  if (path.rfind(kLongUncPrefix, 0) == 0) return L"\\\\" + path.substr(kLongUncPrefix.size());
  if (path.rfind(kLongPrefix, 0) == 0) return path.substr(kLongPrefix.size());
  return path;
}

}  // namespace

std::wstring directory_identity(const std::wstring& dir) {
  std::wstring existing = folded_directory(dir);
  std::wstring rest;
  for (;;) {
    if (const std::optional<std::wstring> resolved = final_path(existing)) {
      return folded_directory(rest.empty() ? *resolved : join_path(*resolved, rest));
    }
    const std::wstring parent = parent_directory(existing);
    if (parent.empty() || parent.size() >= existing.size()) return folded_directory(dir);
    const std::wstring name = existing.substr(parent.size() + (parent.back() == L'\\' ? 0 : 1));
    rest = rest.empty() ? name : join_path(name, rest);
    existing = parent;
  }
}

std::wstring folded_directory(const std::wstring& dir) {
  std::wstring full(kFullPathCapacity, L'\0');
  const DWORD length = GetFullPathNameW(dir.c_str(), kFullPathCapacity, full.data(), nullptr);
  full.resize(length > 0 && length < kFullPathCapacity ? length : 0);
  if (full.empty()) full = dir;
  if (const std::optional<std::wstring> folder = full_directory(full)) full = *folder;
  if (!full.empty()) CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  return full;
}

std::optional<uint64_t> file_size_of(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
