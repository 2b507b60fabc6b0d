// What the command line asks for. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/path_text.h"

struct RunMode {
  bool update = false;  // "--update" anywhere in the command line
  bool check = false;   // "--check" anywhere; only matters with update
  bool uninstall = false;  // "--uninstall" anywhere, unless the line also selects update
  bool quiet = false;      // "--quiet" anywhere; only matters with uninstall
  // The switches below count only as whole arguments (split as Windows programs split them).
  bool silent = false;        // "--quiet": an install or an update with no window, no question
  bool scheduled = false;     // "--scheduled": a check the Task Scheduler started
  bool no_shortcuts = false;  // "--no-shortcuts": a silent install makes no shortcuts
  // The argument after "--dir" (empty when there is none): a silent install's directory.
  std::optional<std::wstring> dir;
};

// Case-sensitive substring search for the mode switches, no tokenising: "--updater" and
// "x--update" select update mode, "--UPDATE" does not. The argument after "--dir" is left out
// of the search: a directory never selects a mode.
RunMode select_mode(std::wstring_view command_line);

// A command line (without the program's name) split into arguments by the rules of the C
// runtime: white space separates outside double quotes; 2n backslashes before a quote give n and
// the quote opens or closes, 2n+1 give n and a literal quote; "" inside quotes is one quote.
std::vector<std::wstring> split_arguments(std::wstring_view command_line);
