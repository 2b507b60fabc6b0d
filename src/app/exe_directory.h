// The running program's file and folder.
#pragma once

#include <string>

// GetModuleFileNameW's path (at most 259 characters); empty when the platform cannot tell.
std::wstring GetExePath();

// That path without its last element.
std::wstring GetExeDirectory();
