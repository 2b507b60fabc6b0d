// What the command line asks for. Portable.
#pragma once

#include <string>
#include <string_view>

#include "base/path_text.h"

struct RunMode {
  bool update = false;  // "--update" anywhere in the command line
  bool check = false;   // "--check" anywhere; only matters with update
  bool uninstall = false;  // "--uninstall" anywhere, unless the line also selects update
  bool quiet = false;      // "--quiet" anywhere; only matters with uninstall
};

// Case-sensitive substring search, no tokenising: "--updater" and "x--update" select update
// mode, "--UPDATE" does not.
RunMode select_mode(std::wstring_view command_line);
