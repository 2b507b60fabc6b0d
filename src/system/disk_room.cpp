#include "system/disk_room.h"

#include <windows.h>

#include <algorithm>

#include "base/file_system.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
constexpr const wchar_t* kNoRoom = L"磁盘空间不足: 需要 ";
constexpr const wchar_t* kNoRoomAvailable = L" MB，可用 ";
constexpr const wchar_t* kMegabytes = L" MB";
constexpr DWORD kPathCapacity = 32768;
// Sums of sizes from the service stop here instead of wrapping around.
constexpr uint64_t kMaxNeed = UINT64_MAX / 4;

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

std::wstring no_room(uint64_t needed, uint64_t available) {
  return kNoRoom + std::to_wstring((needed + kMiB - 1) / kMiB) + kNoRoomAvailable +
         std::to_wstring(available / kMiB) + kMegabytes;
}

}  // namespace

std::optional<std::wstring> MissingRoom(const std::vector<RoomNeed>& needs) {
  // Per volume, in the order the needs name them first.
  std::vector<std::pair<std::wstring, RoomNeed>> volumes;
  for (const RoomNeed& need : needs) {
    const std::wstring volume = volume_of(need.dir);
    const auto same = std::find_if(volumes.begin(), volumes.end(),
                                   [&volume](const auto& known) { return known.first == volume; });
    if (same == volumes.end()) {
      volumes.emplace_back(volume, need);
    } else {
      same->second.bytes = std::min(same->second.bytes + std::min(need.bytes, kMaxNeed), kMaxNeed);
    }
  }
  for (const auto& [volume, need] : volumes) {
    const std::optional<uint64_t> available = free_bytes(need.dir);
    if (available && need.bytes > *available) return no_room(need.bytes, *available);
  }
  return std::nullopt;
}

bool SameVolume(const std::wstring& a, const std::wstring& b) {
  return volume_of(a) == volume_of(b);
}

uint64_t TwoLargest(const std::vector<uint64_t>& sizes) {
  uint64_t first = 0, second = 0;
  for (uint64_t size : sizes) {
    if (size > first) {
      second = first;
      first = size;
    } else if (size > second) {
      second = size;
    }
  }
  return std::min(first, kMaxNeed) + std::min(second, kMaxNeed);
}
