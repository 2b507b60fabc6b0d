// Texts both modes show.
#pragma once

inline constexpr const wchar_t* kReleaseUnavailable = L"无法获取版本信息，请检查网络连接";
// A record of the installation that could not be written; the file's full path follows.
inline constexpr const wchar_t* kCannotWriteRecords = L"无法写入安装记录: ";
inline constexpr const wchar_t* kCannotWriteConfig = L"无法写入配置文件: ";
