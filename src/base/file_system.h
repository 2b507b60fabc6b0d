// File-system helpers shared by the package, install and update steps.
#pragma once

#include <string>

// Creates `dir` and every missing parent; an existing directory counts as success.
// False when any level cannot be created (a file in the way, no permission, bad name).
bool create_directories(const std::wstring& dir);

// Creates every missing directory above `path` (the text up to its last `\` or `/`).
bool create_parent_directories(const std::wstring& path);

// True when something (file or folder) exists at `path`.
bool path_exists(const std::wstring& path);

// Removes a directory tree; failures are ignored (best-effort clean-up).
void remove_tree(const std::wstring& dir);

// The platform's temporary directory, ending in a backslash; empty if the platform has none
// (callers then refuse to work rather than write into the current directory).
std::wstring temp_root();

// `dir` and `name` joined by one backslash, unless `dir` already ends in a separator.
std::wstring join_path(const std::wstring& dir, const std::wstring& name);
