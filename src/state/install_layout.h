// Fixed names inside an installation directory, appended to it as they stand.
#pragma once

inline constexpr const wchar_t* kBrowserExeSuffix = L"\\chrome.exe";
inline constexpr const wchar_t* kConfigSuffix = L"\\orvane-config.json";
inline constexpr const wchar_t* kUpdaterSuffix = L"\\orvane-updater.exe";
