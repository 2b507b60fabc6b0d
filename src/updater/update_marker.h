// "orvane-update.pending": the list of files an update is replacing, kept in the installation
// while the replacement runs, so that an interrupted update can be repaired by the next run.
#pragma once

#include <string>
#include <vector>

inline constexpr const wchar_t* kUpdateMarkerName = L"orvane-update.pending";
inline constexpr const wchar_t* kBackupSuffix = L".bak";

bool UpdateMarkerExists(const std::wstring& install_dir);

// Relative paths (UTF-8), one a line.
bool WriteUpdateMarker(const std::wstring& install_dir, const std::vector<std::string>& file_paths);
void RemoveUpdateMarker(const std::wstring& install_dir);

// After a complete release was installed over the installation: deletes the ".bak" of every
// path the marker lists, then the marker, so that no later run restores an old backup over the
// fresh files. True when no marker is left.
bool RetireInterruptedUpdate(const std::wstring& install_dir);

// When a marker is present: puts the ".bak" of every listed path back over its target (the
// state before the interrupted update) and returns true. The marker stays until an update
// finishes.
bool RepairInterruptedUpdate(const std::wstring& install_dir);
