#include "installation/replacement_journal.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "installation/update_marker.h"

ReplacementJournal::ReplacementJournal(std::wstring install_dir, bool untrusted)
    : install_dir_(std::move(install_dir)), marker_{untrusted, {}} {}

ReplacementJournal::~ReplacementJournal() {
  if (open_) roll_back();
}

bool ReplacementJournal::begin() {
  open_ = true;
  return WriteUpdateMarker(install_dir_, marker_);
}

bool ReplacementJournal::write_down(MarkerEntryKind kind, const std::string& file_path) {
  marker_.entries.push_back({kind, file_path});
  return WriteUpdateMarker(install_dir_, marker_);
}

bool ReplacementJournal::replace(const std::wstring& source, const std::wstring& target,
                                 const std::string& file_path) {
  if (path_exists(target)) {
    const std::wstring backup = target + kBackupSuffix;
    if (path_exists(backup) && !remove_tree(backup)) return false;
    if (!write_down(MarkerEntryKind::Replaced, file_path)) return false;
    if (!MoveFileExW(target.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
    backups_.push_back(backup);
    pause_point("backup");
  } else if (!write_down(MarkerEntryKind::Added, file_path)) {
    return false;
  }
  if (!move_file_durably(source, target)) return false;
  pause_point("replaced");
  return true;
}

bool ReplacementJournal::roll_back() {
  open_ = false;
  if (!UndoEntries(install_dir_, marker_)) return false;
  marker_.entries.clear();
  backups_.clear();
  if (marker_.untrusted) return WriteUpdateMarker(install_dir_, marker_);
  return RemoveUpdateMarker(install_dir_);
}

bool ReplacementJournal::commit() {
  if (!RemoveUpdateMarker(install_dir_)) return false;
  open_ = false;
  pause_point("committed");
  // A backup keeps the old file's read-only mark: it must not stay behind for that.
  for (const std::wstring& backup : backups_) delete_file(backup);
  backups_.clear();
  return true;
}
