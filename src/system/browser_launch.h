// Starting the installed browser.
#pragma once

#include <string>

// Starts browser_path (quoted, no arguments) in its own folder; true when the process was
// created. Not waited for.
bool LaunchBrowser(const std::wstring& browser_path);

// The folder LaunchBrowser starts the browser in: the path's parent, a root with its separator
// ("D:\", not the drive-relative "D:"); the whole path when it names no folder.
std::wstring launch_directory(const std::wstring& browser_path);
