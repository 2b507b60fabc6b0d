// What an install leaves outside the packages: the updater copy and the shortcuts.
#pragma once

#include <string>

inline constexpr const wchar_t* kShortcutName = L"Orvane";
inline constexpr const wchar_t* kShortcutDescription = L"Orvane Browser";
inline constexpr const wchar_t* kStartMenuFolder = L"Orvane";

// Copies the running executable to dest_path, replacing an existing file.
bool CopySelfAsUpdater(const std::wstring& dest_path);

// <desktop>\<name>.lnk pointing at target.
bool CreateDesktopShortcut(const std::wstring& target, const std::wstring& name);

// <Programs>\Orvane\<name>.lnk pointing at target (the folder is made first).
bool CreateStartMenuShortcut(const std::wstring& target, const std::wstring& name);

// Where those two shortcuts are, and the Start menu folder that holds the second; empty when
// the shell cannot name the folder.
std::wstring DesktopShortcutPath(const std::wstring& name);
std::wstring StartMenuShortcutPath(const std::wstring& name);
std::wstring StartMenuFolderPath();

// The target a .lnk points at; empty when it cannot be read.
std::wstring ReadShellLinkTarget(const std::wstring& link_path);

// One .lnk: target, its folder as working directory (when it has one), the description (when
// not empty) and the target's first icon.
bool CreateShellLink(const std::wstring& link_path, const std::wstring& target,
                     const std::wstring& description);
