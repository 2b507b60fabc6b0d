#include "base/user_registry.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kValueCapacity = 32768;

}  // namespace

ScopedRegistryKey OpenUserKey(const wchar_t* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key) != ERROR_SUCCESS) return {};
  return ScopedRegistryKey(key);
}

std::optional<std::wstring> ReadText(HKEY key, const wchar_t* name) {
  std::vector<wchar_t> value(kValueCapacity, L'\0');
  DWORD size = kValueCapacity * sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  // A stored value need not end in a terminator: its length is what the registry says it is.
  std::wstring text(value.data(), std::min<size_t>(size / sizeof(wchar_t), value.size()));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

bool WriteText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<std::wstring> ReadUserText(const wchar_t* path, const std::wstring& name) {
  const ScopedRegistryKey key = OpenUserKey(path, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  return ReadText(key.get(), name.c_str());
}

bool WriteUserText(const wchar_t* path, const std::wstring& name, const std::wstring& value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const ScopedRegistryKey key(raw);
  return WriteText(key.get(), name.c_str(), value);
}

bool DeleteUserValue(const wchar_t* path, const std::wstring& name) {
  const ScopedRegistryKey key = OpenUserKey(path, KEY_SET_VALUE);
  if (!key) return true;
  const LSTATUS status = RegDeleteValueW(key.get(), name.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
