// Rules for Windows path text: roots, joins, directories a person typed. Portable: no platform
// headers, so the rules are tested on their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

bool is_path_separator(wchar_t c);

// Length of the root at the start of `path`, with the separator after it: "C:\" 3 ("C:" 2),
// "\\server\" (the server name is the root), "\\?\" and "\\.\" 4, a lone "\" 1, else 0.
size_t path_root_length(std::wstring_view path);

// The folder of a file path: the last element and the separators before it are dropped, but
// never the root (C:\, \\server\, \\?\, \\.\, \); no trailing separator except at a root.
std::wstring parent_directory(std::wstring_view path);

// `dir` and `name` joined by exactly one backslash: separators at the end of `dir` and at the
// start of `name` are not doubled ("D:\" + "chrome.exe" is "D:\chrome.exe").
std::wstring join_path(std::wstring_view dir, std::wstring_view name);

// A directory as typed into the installer: absent unless it is fully qualified ("D:\x",
// "\\server\share\x", "\\?\D:\x"), since a relative one ("Orvane", "..\x", "D:x", "\x") would
// land wherever the program happened to be started. Surrounding double quotes (Explorer's
// "Copy as path") go, any other quote makes it no path; trailing separators are dropped, but a
// drive root keeps its own ("D:\"); trailing spaces and dots of the last element are dropped as
// Windows drops them.
std::optional<std::wstring> full_directory(std::wstring_view typed);
