// Unpacking a .zip package with the system's tar tool.
#pragma once

#include <string>

// The command line ExtractArchive runs: cmd.exe /c tar -xf "<zip>" -C "<dest>".
std::wstring extract_command_line(const std::wstring& zip_path, const std::wstring& dest_dir);

// Creates dest_dir (one level), runs the command hidden and waits for it. True exactly when it
// started and exited with code 0; whatever tar wrote stays on failure.
bool ExtractArchive(const std::wstring& zip_path, const std::wstring& dest_dir);
