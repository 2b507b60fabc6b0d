#include "installation/update_marker.h"

#include <windows.h>

#include <set>

#include "base/file_system.h"
#include "base/wide.h"
#include "package/installed_path.h"
#include "package/package_path.h"
#include "state/config_file.h"
#include "state/file_text.h"

namespace {

constexpr DWORD kRestoreFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

std::wstring marker_path(const std::wstring& install_dir) {
  return join_path(install_dir, kUpdateMarkerName);
}

}  // namespace

bool UpdateMarkerExists(const std::wstring& install_dir) {
  return path_exists(marker_path(install_dir));
}

std::optional<UpdateMarker> ReadUpdateMarker(const std::wstring& install_dir) {
  const std::optional<std::string> text = ReadFileText(marker_path(install_dir));
  if (!text) return std::nullopt;
  return parse_update_marker(*text);
}

bool WriteUpdateMarker(const std::wstring& install_dir, const UpdateMarker& marker) {
  return WriteFileText(marker_path(install_dir), update_marker_text(marker));
}

bool RemoveUpdateMarker(const std::wstring& install_dir) {
  return delete_file(marker_path(install_dir));
}

bool UndoEntries(const std::wstring& install_dir, const UpdateMarker& marker) {
  bool undone = true;
  for (auto entry = marker.entries.rbegin(); entry != marker.entries.rend(); ++entry) {
    const std::optional<std::wstring> target = InstalledPath(install_dir, entry->file_path);
    if (!target) continue;
    if (entry->kind == MarkerEntryKind::Added) {
      undone &= delete_file(*target);
      continue;
    }
    // No backup: the run ended before it moved the file aside, so the file is still in place.
    const std::wstring backup = *target + kBackupSuffix;
    if (!path_exists(backup)) continue;
    undone &= MoveFileExW(backup.c_str(), target->c_str(), kRestoreFlags) != 0;
  }
  return undone;
}

RepairOutcome RepairInterruptedUpdate(const std::wstring& install_dir) {
  RepairOutcome outcome = RepairOutcome::NoMarker;
  if (UpdateMarkerExists(install_dir)) {
    const std::optional<UpdateMarker> marker = ReadUpdateMarker(install_dir);
    // A journal that cannot be read, or an undo that did not go through, leaves the marker as
    // it is: the next run tries again, and this one trusts nothing installed.
    if (!marker || !UndoEntries(install_dir, *marker)) return RepairOutcome::Untrusted;
    if (marker->untrusted) {
      WriteUpdateMarker(install_dir, UpdateMarker{true, {}});
      return RepairOutcome::Untrusted;
    }
    if (!RemoveUpdateMarker(install_dir)) return RepairOutcome::Untrusted;
    outcome = RepairOutcome::Restored;
  }
  if (const std::optional<VersionManifest> recorded = ReadVersionManifest(install_dir)) {
    RemoveLeftoverBackups(install_dir, *recorded);
  }
  return outcome;
}

bool RetireInterruptedUpdate(const std::wstring& install_dir) {
  if (const std::optional<UpdateMarker> marker = ReadUpdateMarker(install_dir)) {
    for (const MarkerEntry& entry : marker->entries) {
      if (entry.kind != MarkerEntryKind::Replaced) continue;
      if (const std::optional<std::wstring> target = InstalledPath(install_dir, entry.file_path)) {
        delete_file(*target + kBackupSuffix);
      }
    }
  }
  RemoveUpdateMarker(install_dir);
  return !UpdateMarkerExists(install_dir);
}

void RemoveLeftoverBackups(const std::wstring& install_dir, const VersionManifest& recorded) {
  // Compared as the file system compares names, so "X.BAK" counts as the file "x.bak".
  std::set<std::u16string> recorded_files;
  std::vector<std::string> names{kVersionManifestName, kConfigFileName};
  for (const ManifestEntry& entry : recorded.files) {
    if (const std::optional<std::u16string> relative = safe_relative_path(entry.file_path)) {
      recorded_files.insert(path_identity(*relative));
      names.push_back(entry.file_path);
    }
  }
  for (const std::string& name : names) {
    const std::optional<std::u16string> backup_relative = safe_relative_path(name + ".bak");
    if (!backup_relative || recorded_files.count(path_identity(*backup_relative)) != 0) continue;
    if (const std::optional<std::wstring> target = InstalledPath(install_dir, name)) {
      delete_file(*target + kBackupSuffix);
    }
  }
}
