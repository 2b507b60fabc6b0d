#include "updater/update_marker.h"

#include <windows.h>

#include <optional>

#include "base/file_system.h"
#include "base/wide.h"
#include "package/package_path.h"
#include "state/file_text.h"

namespace {

std::wstring marker_path(const std::wstring& install_dir) {
  return install_dir + kUpdateMarkerSuffix;
}

}  // namespace

bool UpdateMarkerExists(const std::wstring& install_dir) {
  return path_exists(marker_path(install_dir));
}

bool WriteUpdateMarker(const std::wstring& install_dir,
                       const std::vector<std::string>& file_paths) {
  std::string text;
  for (const std::string& path : file_paths) text += path + "\n";
  return WriteFileText(marker_path(install_dir), text);
}

void RemoveUpdateMarker(const std::wstring& install_dir) {
  DeleteFileW(marker_path(install_dir).c_str());
}

bool RepairInterruptedUpdate(const std::wstring& install_dir) {
  const std::optional<std::string> text = ReadFileText(marker_path(install_dir));
  if (!text) return false;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    const std::string line = text->substr(start, end - start);
    start = end + 1;
    // Only paths inside the installation are ever touched, whatever the marker says.
    const std::optional<std::u16string> relative = safe_relative_path(line);
    if (!relative) continue;
    const std::wstring target = join_path(install_dir, to_wide(*relative));
    const std::wstring backup = target + kBackupSuffix;
    if (!path_exists(backup)) continue;
    MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  return true;
}
