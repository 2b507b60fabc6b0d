// Texts more than one mode shows.
#pragma once

inline constexpr const wchar_t* kReleaseUnavailable = L"无法获取版本信息，请检查网络连接";
// The release service answered, but over a secure channel that could not be made: its
// certificate was refused (or the handshake failed). Checking the network would not help.
inline constexpr const wchar_t* kReleaseCertificateRefused =
    L"无法获取版本信息：服务器证书未通过验证";
// A record of the installation that could not be written; the file's full path follows.
inline constexpr const wchar_t* kCannotWriteRecords = L"无法写入安装记录: ";
inline constexpr const wchar_t* kCannotWriteConfig = L"无法写入配置文件: ";
inline constexpr const wchar_t* kCannotCreateInstallDir = L"无法创建安装目录: ";
// An update undone only in part: the journal stays for the next run, which finishes the undo.
inline constexpr const wchar_t* kRestoreIncomplete = L"更新失败，部分文件未能恢复: ";
// Update and uninstall, before they touch the installation's files.
inline constexpr const wchar_t* kClosingBrowser = L"正在关闭浏览器...";
// A silent update never closes the browser a person is using.
inline constexpr const wchar_t* kBrowserInUse = L"浏览器正在运行，本次未更新。";
