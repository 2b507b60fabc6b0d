// What the command line asks for, and where the running program lives. Portable.
#pragma once

#include <string>
#include <string_view>

struct RunMode {
  bool update = false;  // "--update" anywhere in the command line
  bool check = false;   // "--check" anywhere; only matters with update
};

// Case-sensitive substring search, no tokenising: "--updater" and "x--update" select update
// mode, "--UPDATE" does not.
RunMode select_mode(std::wstring_view command_line);

// The folder of a file path: the last element and the separators before it are dropped, but
// never the root (C:\, \\server\, \\?\, \\.\, \); no trailing separator except at a root.
std::wstring parent_directory(std::wstring_view path);
