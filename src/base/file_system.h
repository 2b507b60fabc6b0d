// File-system helpers shared by the package, install and update steps.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/path_text.h"

// Creates `dir` and every missing parent; an existing directory counts as success.
// False when any level cannot be created (a file in the way, no permission, bad name).
bool create_directories(const std::wstring& dir);

// Creates every missing directory above `path` (the text up to its last `\` or `/`).
bool create_parent_directories(const std::wstring& path);

// True when something (file or folder) exists at `path`.
bool path_exists(const std::wstring& path);

// Removes a file or a directory tree as far as it can: an entry that cannot be removed (open,
// locked) is skipped and the rest goes on. A link (symbolic link, junction) is removed as the
// link itself, never followed, so nothing outside the tree is touched. True when nothing is
// left at `path`.
bool remove_tree(const std::wstring& path);

// A folder removed (remove_tree) when the scope that made it ends, whichever way it ends: a
// run's temporary downloads.
class ScopedFolderRemoval {
 public:
  explicit ScopedFolderRemoval(std::wstring path) : path_(std::move(path)) {}
  ScopedFolderRemoval(const ScopedFolderRemoval&) = delete;
  ScopedFolderRemoval& operator=(const ScopedFolderRemoval&) = delete;
  ~ScopedFolderRemoval() { remove_tree(path_); }

 private:
  std::wstring path_;
};

// Drops the read-only mark of an entry whose attributes are given: a mark on a file of ours must
// not keep it from being replaced or removed.
void clear_read_only(const std::wstring& path, DWORD attributes);

// Deletes the file at `path`, read-only or not; true when there was none to begin with.
bool delete_file(const std::wstring& path);

// Moves a file to a place where nothing is yet: a rename on the same volume, across volumes a
// copy whose bytes reach the disk before the source goes. Either way the moved bytes are on the
// disk when this returns true; a half-copied target is removed when the copy fails.
bool move_file_durably(const std::wstring& from, const std::wstring& to);

// The folder as the file system names it: full, without trailing separators, upper-cased, so
// that every spelling of one folder ("d:\orvane", "D:\Orvane\") gives one text.
std::wstring folded_directory(const std::wstring& dir);

// One text for a folder whatever the path that reaches it: the path as the file system names it
// (GetFinalPathNameByHandle: links and junctions followed, a substituted drive and short 8.3
// names resolved, the case as stored), folded like folded_directory. A folder that does not
// exist yet is named by its nearest existing parent and the rest of the path as given.
std::wstring directory_identity(const std::wstring& dir);

// The size of the file at `path`; nothing when there is no file there.
std::optional<uint64_t> file_size_of(const std::wstring& path);

// Asks the disk to hold the file's bytes now (FlushFileBuffers).
bool flush_file(const std::wstring& path);

// The platform's temporary directory, ending in a backslash; empty if the platform has none
// (callers then refuse to work rather than write into the current directory).
std::wstring temp_root();
