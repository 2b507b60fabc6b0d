// The version a person declined when a check asked, per user and installation:
// HKCU\Software\Orvane\Declined Updates, a value named by the installation's folder (as the file
// system names it, upper-cased) holding the version. A scheduled check does not ask about that
// version again; every other check still does.
#pragma once

#include <string>

inline constexpr const wchar_t* kDeclinedUpdatesKeyPath = L"Software\\Orvane\\Declined Updates";

// "" when nothing was declined for install_dir.
std::wstring DeclinedVersion(const std::wstring& install_dir);
bool RecordDeclinedVersion(const std::wstring& install_dir, const std::wstring& version);
// True when no value for install_dir is left.
bool ForgetDeclinedVersion(const std::wstring& install_dir);
