#include "journal/journal_steps.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "package/installed_path.h"

namespace {

constexpr DWORD kRenameFlags = MOVEFILE_WRITE_THROUGH;
constexpr DWORD kRestoreFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// The step's names inside the installation; absent when any would leave it (a journal is
// trusted no further than the installation's own paths).
struct StepPaths {
  std::wstring target;
  std::wstring backup;
  std::wstring incoming;
};

std::optional<StepPaths> paths_of(const std::wstring& install_dir, const JournalStep& step) {
  StepPaths paths;
  const std::optional<std::wstring> target = InstalledPath(install_dir, step.file_path);
  if (!target) return std::nullopt;
  paths.target = *target;
  for (const auto& [name, out] :
       {std::pair{&step.backup, &paths.backup}, std::pair{&step.incoming, &paths.incoming}}) {
    if (name->empty()) continue;
    const std::optional<std::wstring> path = InstalledPath(install_dir, *name);
    if (!path) return std::nullopt;
    *out = *path;
  }
  return paths;
}

bool rename(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), kRenameFlags) != 0;
}

}  // namespace

bool DoStep(const std::wstring& install_dir, const JournalStep& step, const std::wstring& source) {
  const std::optional<StepPaths> paths = paths_of(install_dir, step);
  if (!paths) return false;
  if (step.kind == JournalStepKind::Removed) {
    if (!rename(paths->target, paths->backup)) return false;
    pause_point("removed");
    return true;
  }
  if (paths->incoming.empty() || !move_file_durably(source, paths->incoming)) return false;
  pause_point("incoming");
  if (step.kind == JournalStepKind::Replaced) {
    if (!rename(paths->target, paths->backup)) return false;
    pause_point("backup");
  }
  if (!rename(paths->incoming, paths->target)) return false;
  pause_point("replaced");
  return true;
}

UndoResult UndoStep(const std::wstring& install_dir, const JournalStep& step) {
  const std::optional<StepPaths> paths = paths_of(install_dir, step);
  if (!paths) return {};  // nothing outside the installation was ever touched
  if (step.kind == JournalStepKind::Leftover) {
    return {true, path_exists(paths->target) ? step.file_path : std::string()};
  }
  UndoResult result;
  if (!paths->incoming.empty() && !delete_file(paths->incoming)) result.leftover = step.incoming;
  if (step.kind == JournalStepKind::Added) {
    result.undone = delete_file(paths->target);
    return result;
  }
  // No backup: the step ended before it moved the file aside, so the file is still in place.
  if (!path_exists(paths->backup)) return result;
  if (MoveFileExW(paths->backup.c_str(), paths->target.c_str(), kRestoreFlags)) return result;
  // The new file may be running (the updater's own image): it can be renamed away, not replaced.
  if (paths->incoming.empty() || path_exists(paths->incoming) ||
      !rename(paths->target, paths->incoming) || !rename(paths->backup, paths->target)) {
    result.undone = false;
    return result;
  }
  if (!delete_file(paths->incoming)) result.leftover = step.incoming;
  return result;
}

bool DiscardStep(const std::wstring& install_dir, const JournalStep& step) {
  const std::optional<StepPaths> paths = paths_of(install_dir, step);
  if (!paths) return true;
  if (step.kind == JournalStepKind::Leftover) return delete_file(paths->target);
  // A backup keeps the old file's read-only mark: delete_file drops it.
  const bool backup_gone = paths->backup.empty() || delete_file(paths->backup);
  const bool incoming_gone = paths->incoming.empty() || delete_file(paths->incoming);
  return backup_gone && incoming_gone;
}
