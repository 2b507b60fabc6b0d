#include "base/pause_point.h"

#ifdef ORVANE_TEST_HOOKS

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "base/file_system.h"
#include "base/win_handle.h"

namespace {

constexpr DWORD kResumePollMs = 50;

std::wstring variable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

}  // namespace

void pause_point(const char* name) {
  static const std::wstring wanted = variable(L"ORVANE_PAUSE_AT");
  static const std::wstring folder = variable(L"ORVANE_PAUSE_DIR");
  static std::atomic<int> passages{0};
  if (wanted.empty() || folder.empty()) return;
  const std::wstring point(name, name + std::char_traits<char>::length(name));
  const size_t hash = wanted.find(L'#');
  if (wanted.substr(0, hash) != point) return;
  const int nth = hash == std::wstring::npos ? 1 : std::wcstol(wanted.c_str() + hash + 1, nullptr, 10);
  if (++passages != nth) return;
  ScopedKernelHandle(CreateFileW(join_path(folder, point + L".reached").c_str(), GENERIC_WRITE, 0,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  const std::wstring resume = join_path(folder, point + L".resume");
  while (!path_exists(resume)) Sleep(kResumePollMs);
}

bool test_fault(const char* name) {
  static const std::wstring wanted = variable(L"ORVANE_FAULT_AT");
  return !wanted.empty() &&
         wanted == std::wstring(name, name + std::char_traits<char>::length(name));
}

std::chrono::milliseconds test_milliseconds(const wchar_t* name,
                                            std::chrono::milliseconds fallback) {
  const std::wstring text = variable(name);
  wchar_t* end = nullptr;
  const long long value = text.empty() ? 0 : std::wcstoll(text.c_str(), &end, 10);
  if (value <= 0 || *end != L'\0') return fallback;
  return std::chrono::milliseconds(value);
}

#endif
