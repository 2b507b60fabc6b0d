// Starting the installed browser.
#pragma once

#include <string>

// Starts browser_path (quoted, no arguments) in its own folder; true when the process was
// created. Not waited for.
bool LaunchBrowser(const std::wstring& browser_path);

// The folder LaunchBrowser starts the browser in: the path's parent, a root with its separator
// ("D:\"); empty for a bare name, which then starts in the current folder.
std::wstring launch_directory(const std::wstring& browser_path);
