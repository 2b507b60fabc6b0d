// Finding and closing the browser's running processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "state/install_layout.h"

// Ids of every running process whose executable is named chrome.exe (ASCII case ignored).
std::vector<DWORD> FindBrowserProcesses();

// The full path of a process's executable; "" when it cannot be read.
std::wstring GetProcessImagePath(DWORD process_id);

// Ends the chrome.exe processes running browser_path (every chrome.exe when it is empty; a
// process whose path cannot be read counts as a target): 3 s to end by themselves, then
// terminated, then 1 s to settle. True when none of them is left.
bool CloseRunningBrowser(const std::wstring& browser_path);

// Whether a chrome.exe process runs browser_path. One whose path cannot be read (another user's,
// another vendor's chrome.exe) does not count: a silent update would otherwise never run.
bool BrowserRunning(const std::wstring& browser_path);

// browser_path with A-Z lowered, nothing else: how two process paths are compared.
std::wstring lower_ascii(std::wstring text);
