// Starting the installed browser.
#pragma once

#include <string>

// Starts browser_path (quoted, no arguments) in its own folder; true when the process was
// created. Not waited for.
bool LaunchBrowser(const std::wstring& browser_path);

// The folder LaunchBrowser starts the browser in: the path up to its last separator, or the
// whole path when it has none.
std::wstring launch_directory(const std::wstring& browser_path);
