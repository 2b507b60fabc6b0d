// The installation's per-user entry in Settings > Apps (HKCU ...\Uninstall\Orvane): one per
// user, written by a successful install, kept current by updates, removed by the uninstall.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const wchar_t* kUninstallKeyPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvane";
// The switches of the installation's updater that remove it, with a question or without.
inline constexpr const wchar_t* kUninstallSwitch = L"--uninstall";
inline constexpr const wchar_t* kQuietSwitch = L"--quiet";

// Writes the whole entry for install_dir, replacing one that named another installation (that
// folder itself is left as it is).
bool RegisterInstallation(const std::wstring& install_dir, const std::string& version);

// After an update of install_dir: its version and size when the entry names it; the whole entry
// when there is none; nothing when the entry belongs to another installation.
bool RefreshRegistration(const std::wstring& install_dir, const std::string& version);

// The folder the entry names (InstallLocation); absent when there is no entry.
std::optional<std::wstring> RegisteredLocation();

// Marks in the entry, when it names install_dir, that a task was registered for the folder's
// scheduled check. The mark stays (a later check that falls back to the Run key leaves the task
// that was there): an uninstall that cannot reach the Task Scheduler then knows one may be left.
void NoteScheduledTask(const std::wstring& install_dir);

// Whether the entry names install_dir and carries that mark.
bool ScheduledTaskNoted(const std::wstring& install_dir);

// Removes the entry when it names install_dir; true when no entry names it afterwards.
bool RemoveRegistration(const std::wstring& install_dir);

// KiB, rounded up, of what the installation holds of ours: the recorded files, the records and
// the updater.
uint32_t InstalledKib(const std::wstring& install_dir);
