// Fixed names inside an installation directory, joined to it with exactly one separator (an
// installation in a drive root gives "D:\chrome.exe").
#pragma once

#include <string>

#include "base/path_text.h"

inline constexpr const wchar_t* kBrowserExeName = L"chrome.exe";
inline constexpr const wchar_t* kConfigFileWideName = L"orvane-config.json";
inline constexpr const wchar_t* kUpdaterExeName = L"orvane-updater.exe";

inline std::wstring browser_path(const std::wstring& install_dir) {
  return join_path(install_dir, kBrowserExeName);
}
inline std::wstring config_path(const std::wstring& install_dir) {
  return join_path(install_dir, kConfigFileWideName);
}
inline std::wstring updater_path(const std::wstring& install_dir) {
  return join_path(install_dir, kUpdaterExeName);
}
