#include "system/uninstall_entry.h"

#include <windows.h>

#include <algorithm>

#include <cstdio>
#include <vector>

#include "base/file_system.h"
#include "base/user_registry.h"
#include "base/wide.h"
#include "package/installed_path.h"
#include "state/install_layout.h"
#include "state/version_manifest.h"

namespace {

constexpr const wchar_t* kDisplayName = L"Orvane";
constexpr const wchar_t* kPublisher = L"Orvane";
constexpr uint64_t kBytesPerKib = 1024;
// Our own value in the entry: 1 when a task was registered for the installation's check.
constexpr const wchar_t* kTaskMark = L"OrvaneScheduledTask";

ScopedRegistryKey open_entry(REGSAM access) {
  return OpenUserKey(kUninstallKeyPath, access);
}

bool set_text(HKEY key, const wchar_t* name, const std::wstring& value) {
  return WriteText(key, name, value);
}

bool set_number(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof(value)) == ERROR_SUCCESS;
}

uint64_t file_bytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return 0;
  }
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t text[9] = {};
  std::swprintf(text, 9, L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

std::wstring quoted(const std::wstring& path) {
  return L"\"" + path + L"\"";
}

bool names(const std::optional<std::wstring>& location, const std::wstring& install_dir) {
  return location && folded_directory(*location) == folded_directory(install_dir);
}

bool write_version_and_size(HKEY key, const std::wstring& install_dir, const std::string& version) {
  return set_text(key, L"DisplayVersion", display_wide(version)) &&
         set_number(key, L"EstimatedSize", InstalledKib(install_dir));
}

}  // namespace

uint32_t InstalledKib(const std::wstring& install_dir) {
  uint64_t bytes =
      file_bytes(VersionManifestPath(install_dir).native()) + file_bytes(updater_path(install_dir));
  if (const std::optional<VersionManifest> records = ReadVersionManifest(install_dir)) {
    for (const ManifestEntry& entry : records->files) {
      if (const std::optional<std::wstring> path = InstalledPath(install_dir, entry.file_path)) {
        bytes += file_bytes(*path);
      }
    }
  }
  const uint64_t kib = (bytes + kBytesPerKib - 1) / kBytesPerKib;
  return kib > MAXDWORD ? MAXDWORD : static_cast<uint32_t>(kib);
}

bool RegisterInstallation(const std::wstring& install_dir, const std::string& version) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kUninstallKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const ScopedRegistryKey key(raw);
  const std::wstring updater = quoted(updater_path(install_dir));
  return set_text(key.get(), L"DisplayName", kDisplayName) &&
         write_version_and_size(key.get(), install_dir, version) &&
         set_text(key.get(), L"Publisher", kPublisher) &&
         set_text(key.get(), L"InstallLocation", install_dir) &&
         set_text(key.get(), L"DisplayIcon", browser_path(install_dir)) &&
         set_text(key.get(), L"InstallDate", today()) && set_number(key.get(), L"NoModify", 1) &&
         set_number(key.get(), L"NoRepair", 1) &&
         set_text(key.get(), L"UninstallString", updater + L" " + kUninstallSwitch) &&
         set_text(key.get(), L"QuietUninstallString",
                  updater + L" " + kUninstallSwitch + L" " + kQuietSwitch);
}

std::optional<std::wstring> RegisteredLocation() {
  const ScopedRegistryKey key = open_entry(KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  // An entry without a usable location names no installation.
  return ReadText(key.get(), L"InstallLocation").value_or(std::wstring());
}

bool RefreshRegistration(const std::wstring& install_dir, const std::string& version) {
  const std::optional<std::wstring> location = RegisteredLocation();
  if (!location) return RegisterInstallation(install_dir, version);
  if (!names(location, install_dir)) return true;
  const ScopedRegistryKey key = open_entry(KEY_SET_VALUE);
  return key && write_version_and_size(key.get(), install_dir, version);
}

void NoteScheduledTask(const std::wstring& install_dir) {
  if (!names(RegisteredLocation(), install_dir)) return;
  const ScopedRegistryKey key = open_entry(KEY_SET_VALUE);
  if (key) set_number(key.get(), kTaskMark, 1);
}

bool ScheduledTaskNoted(const std::wstring& install_dir) {
  if (!names(RegisteredLocation(), install_dir)) return false;
  const ScopedRegistryKey key = open_entry(KEY_QUERY_VALUE);
  DWORD value = 0;
  DWORD size = sizeof(value);
  DWORD type = 0;
  return key &&
         RegQueryValueExW(key.get(), kTaskMark, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                          &size) == ERROR_SUCCESS &&
         type == REG_DWORD && value == 1;
}

bool RemoveRegistration(const std::wstring& install_dir) {
  if (!names(RegisteredLocation(), install_dir)) return true;
  const LSTATUS status = RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKeyPath);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
