#include "installer/install_checks.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/file_system.h"
#include "base/win_handle.h"
#include "system/disk_room.h"

namespace {

constexpr const wchar_t* kProbeName = L"orvane-write-test-";

uint64_t size_of(const ReleaseFile& file) {
  return file.file_size > 0 ? static_cast<uint64_t>(file.file_size) : 0;
}

}  // namespace

std::optional<std::wstring> CheckRoomFor(const ReleaseInfo& release, const std::wstring& install_dir,
                                         const std::wstring& temp_dir) {
  uint64_t total = 0;
  std::vector<uint64_t> sizes;
  for (const ReleaseFile& file : release.files) {
    total = std::min<uint64_t>(total + size_of(file), UINT64_MAX / 2);
    sizes.push_back(size_of(file));
  }
  // One package is put in place while the next one downloads: two lie in the temporary folder.
  return MissingRoom({{install_dir, total}, {temp_dir, TwoLargest(sizes)}});
}

bool CanWriteInto(const std::wstring& dir) {
  const std::wstring probe = join_path(dir, kProbeName + std::to_wstring(GetCurrentProcessId()) + L".tmp");
  const ScopedKernelHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                            nullptr));
  return static_cast<bool>(file);
}
