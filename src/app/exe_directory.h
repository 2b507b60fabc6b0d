// The folder of the running program.
#pragma once

#include <string>

// GetModuleFileNameW's path (at most 259 characters) without its last element; empty when the
// platform cannot tell.
std::wstring GetExeDirectory();
