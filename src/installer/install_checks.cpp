#include "installer/install_checks.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "base/file_system.h"
#include "base/win_handle.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
constexpr const wchar_t* kNoRoom = L"磁盘空间不足: 需要 ";
constexpr const wchar_t* kNoRoomAvailable = L" MB，可用 ";
constexpr const wchar_t* kMegabytes = L" MB";
constexpr const wchar_t* kProbeName = L"orvane-write-test-";
constexpr DWORD kPathCapacity = 32768;

std::optional<uint64_t> free_bytes(const std::wstring& dir) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(dir.c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return available.QuadPart;
}

std::wstring volume_of(const std::wstring& dir) {
  std::wstring volume(kPathCapacity, L'\0');
  if (!GetVolumePathNameW(dir.c_str(), volume.data(), kPathCapacity)) return folded_directory(dir);
  volume.resize(wcslen(volume.c_str()));
  return folded_directory(volume);
}

uint64_t size_of(const ReleaseFile& file) {
  return file.file_size > 0 ? static_cast<uint64_t>(file.file_size) : 0;
}

std::wstring no_room(uint64_t needed, uint64_t available) {
  return kNoRoom + std::to_wstring((needed + kMiB - 1) / kMiB) + kNoRoomAvailable +
         std::to_wstring(available / kMiB) + kMegabytes;
}

}  // namespace

std::optional<std::wstring> CheckRoomFor(const ReleaseInfo& release, const std::wstring& install_dir,
                                         const std::wstring& temp_dir) {
  uint64_t total = 0;
  uint64_t largest = 0;
  for (const ReleaseFile& file : release.files) {
    total = std::min<uint64_t>(total + size_of(file), UINT64_MAX / 2);
    largest = std::max(largest, size_of(file));
  }
  const std::optional<uint64_t> install_free = free_bytes(install_dir);
  const std::optional<uint64_t> temp_free = free_bytes(temp_dir);
  if (volume_of(install_dir) == volume_of(temp_dir)) {
    if (install_free && total + largest > *install_free) return no_room(total + largest, *install_free);
    return std::nullopt;
  }
  if (install_free && total > *install_free) return no_room(total, *install_free);
  if (temp_free && largest > *temp_free) return no_room(largest, *temp_free);
  return std::nullopt;
}

bool CanWriteInto(const std::wstring& dir) {
  const std::wstring probe = join_path(dir, kProbeName + std::to_wstring(GetCurrentProcessId()) + L".tmp");
  const ScopedKernelHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                            nullptr));
  return static_cast<bool>(file);
}
