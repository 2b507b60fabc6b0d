// The install and the update with no window and no question (--quiet); each returns its exit
// code (base/exit_code.h).
#pragma once

#include <windows.h>

#include <string>

#include "app/mode.h"

// orvane-setup.exe --quiet [--dir D:\X] [--no-shortcuts]: the window's install, into --dir or
// the window's default directory.
int RunSilentInstall(HINSTANCE instance, const RunMode& mode);

// orvane-updater.exe --update --quiet: the update window's run, except that a running browser
// is never closed (the run changes nothing and says so).
int RunSilentUpdate(HINSTANCE instance, const std::wstring& install_dir);
