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

// One .lnk: target, its folder as working directory (when it has one), the description (when
// not empty) and the target's first icon.
bool CreateShellLink(const std::wstring& link_path, const std::wstring& target,
                     const std::wstring& description);
