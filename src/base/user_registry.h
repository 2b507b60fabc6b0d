// Values under HKEY_CURRENT_USER: the per-user state and registrations the program keeps.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/scoped_handle.h"

struct RegistryKeyTraits {
  using type = HKEY;
  static bool valid(type h) { return h != nullptr; }
  static void close(type h) { RegCloseKey(h); }
};
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;

// The key below HKCU, opened with `access`; empty when it does not exist or cannot be opened.
ScopedRegistryKey OpenUserKey(const wchar_t* path, REGSAM access);

// A REG_SZ value of an open key, however it was stored (with or without its terminator);
// absent when there is none or it is not text.
std::optional<std::wstring> ReadText(HKEY key, const wchar_t* name);
bool WriteText(HKEY key, const wchar_t* name, const std::wstring& value);

// The REG_SZ value `name` of HKCU\<path>; absent when there is none.
std::optional<std::wstring> ReadUserText(const wchar_t* path, const std::wstring& name);
// Writes it, making the key when needed.
bool WriteUserText(const wchar_t* path, const std::wstring& name, const std::wstring& value);
// True when no such value is there afterwards.
bool DeleteUserValue(const wchar_t* path, const std::wstring& name);
