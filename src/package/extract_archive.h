// Unpacking a .zip package with the system's tar tool.
#pragma once

#include <atomic>
#include <string>

// The command line ExtractArchive starts the system's own tar with, by its full path:
//   "<system>\tar.exe" -xf "<zip>" -C "<dest>"
// Backslashes that end a path are doubled, so that "D:\" reaches tar as D:\ and not as D: plus
// a quote.
std::wstring extract_command_line(const std::wstring& system_dir, const std::wstring& zip_path,
                                  const std::wstring& dest_dir);

// Creates dest_dir (one level), runs the command hidden and waits for it. tar is started by its
// full path in the system folder, in the zip's folder, so that no program lying beside the
// installer or in its current folder is ever run in its place. True exactly when it
// started and exited with code 0; whatever tar wrote stays on failure.
// The command and everything it starts run in a job that ends with this process, so no tar
// goes on writing after the program is gone; a set `cancel` ends them early (false).
bool ExtractArchive(const std::wstring& zip_path, const std::wstring& dest_dir,
                    const std::atomic<bool>* cancel = nullptr);
