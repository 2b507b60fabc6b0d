// The system's folder selection dialog.
#pragma once

#include <windows.h>

#include <string>

inline constexpr const wchar_t* kFolderPickerTitle = L"选择 Orvane 安装目录";

// The chosen folder's file-system path, or "" when the user cancelled or anything failed.
// Opens at initial_folder when it exists and its drive answers at once. Modal to owner; UI
// thread only.
std::wstring PickFolder(HWND owner, const std::wstring& initial_folder);
