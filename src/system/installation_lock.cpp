#include "system/installation_lock.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "base/file_system.h"

namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;
std::wstring folder_hash(const std::wstring& install_dir) {
  uint64_t hash = kFnvOffset;
  for (wchar_t unit : directory_identity(install_dir)) {
    for (int shift = 0; shift < 16; shift += 8) {
      hash ^= (static_cast<uint64_t>(unit) >> shift) & 0xFF;
      hash *= kFnvPrime;
    }
  }
  wchar_t text[17] = {};
  std::swprintf(text, 17, L"%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace

std::wstring InstallationWindowTag(const std::wstring& install_dir) {
  return L"OrvaneUpdater-" + folder_hash(install_dir);
}

std::wstring InstallationLockName(const std::wstring& install_dir) {
  return L"Global\\" + InstallationWindowTag(install_dir);
}

std::wstring UpdateStagingFolder(const std::wstring& install_dir) {
  const std::wstring root = temp_root();
  return root.empty() ? std::wstring() : root + L"orvane-update-" + folder_hash(install_dir);
}
