#include "updater/update_marker.h"

#include <windows.h>

#include <optional>

#include "base/file_system.h"
#include "base/wide.h"
#include "package/package_path.h"
#include "state/file_text.h"

namespace {

std::wstring marker_path(const std::wstring& install_dir) {
  return join_path(install_dir, kUpdateMarkerName);
}

// The target of every listed path that stays inside the installation, whatever the marker says.
template <typename Visit>
bool for_each_listed_target(const std::wstring& install_dir, Visit&& visit) {
  const std::optional<std::string> text = ReadFileText(marker_path(install_dir));
  if (!text) return false;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    const std::optional<std::u16string> relative =
        safe_relative_path(std::string_view(*text).substr(start, end - start));
    start = end + 1;
    if (relative) visit(join_path(install_dir, to_wide(*relative)));
  }
  return true;
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

bool RetireInterruptedUpdate(const std::wstring& install_dir) {
  for_each_listed_target(install_dir, [](const std::wstring& target) {
    const std::wstring backup = target + kBackupSuffix;
    if (path_exists(backup)) DeleteFileW(backup.c_str());
  });
  RemoveUpdateMarker(install_dir);
  return !UpdateMarkerExists(install_dir);
}

bool RepairInterruptedUpdate(const std::wstring& install_dir) {
  return for_each_listed_target(install_dir, [](const std::wstring& target) {
    const std::wstring backup = target + kBackupSuffix;
    if (!path_exists(backup)) return;
    MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  });
}
