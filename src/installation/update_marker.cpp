#include "installation/update_marker.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "base/win_handle.h"
#include "installation/replacement_steps.h"
#include "package/installed_path.h"
#include "state/file_text.h"

namespace {

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

bool AppendUpdateMarkerEntry(const std::wstring& install_dir, const MarkerEntry& entry) {
  const ScopedKernelHandle file(CreateFileW(marker_path(install_dir).c_str(), FILE_APPEND_DATA,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const std::string line = update_marker_line(entry);
  DWORD written = 0;
  return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size() && FlushFileBuffers(file.get());
}

bool DiscardCommittedSteps(const std::wstring& install_dir, UpdateMarker marker) {
  std::vector<MarkerEntry> left;
  for (const MarkerEntry& step : marker.entries) {
    if (!DiscardStep(install_dir, step)) left.push_back(step);
    pause_point("discarded");
  }
  if (!left.empty()) {
    if (left.size() != marker.entries.size()) {
      marker.entries = std::move(left);
      WriteUpdateMarker(install_dir, marker);
    }
    return false;
  }
  if (marker.untrusted) return WriteUpdateMarker(install_dir, UpdateMarker{true, false, {}});
  return RemoveUpdateMarker(install_dir);
}

UndoOutcome UndoSteps(const std::wstring& install_dir, const std::vector<MarkerEntry>& steps) {
  UndoOutcome outcome;
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    const UndoResult undone = UndoStep(install_dir, *step);
    if (!undone.leftover.empty()) {
      outcome.leftovers.push_back({MarkerEntryKind::Leftover, undone.leftover, {}, {}});
    }
    if (!undone.undone) {
      outcome.unrestored =
          InstalledPath(install_dir, step->file_path).value_or(display_wide(step->file_path));
      return outcome;
    }
  }
  return outcome;
}

bool CloseUndoneJournal(const std::wstring& install_dir, bool untrusted,
                        std::vector<MarkerEntry> leftovers) {
  if (!leftovers.empty()) {
    return WriteUpdateMarker(install_dir, UpdateMarker{untrusted, true, std::move(leftovers)});
  }
  if (untrusted) return WriteUpdateMarker(install_dir, UpdateMarker{true, false, {}});
  return RemoveUpdateMarker(install_dir);
}

RepairResult RepairInterruptedUpdate(const std::wstring& install_dir) {
  if (!UpdateMarkerExists(install_dir)) return {};
  std::optional<UpdateMarker> marker = ReadUpdateMarker(install_dir);
  // A journal that cannot be read at all stays: nothing installed can be trusted, and nothing
  // may be written over it until it can be read.
  if (!marker) return {RepairOutcome::Blocked, marker_path(install_dir)};
  // Committed: the update (or an undo) was complete; only its backups and leftovers remain.
  if (marker->committed) {
    DiscardCommittedSteps(install_dir, *marker);
    return {marker->untrusted ? RepairOutcome::Untrusted : RepairOutcome::Completed, {}};
  }
  UndoOutcome undo = UndoSteps(install_dir, marker->entries);
  if (undo.unrestored) return {RepairOutcome::Blocked, *undo.unrestored};
  if (!CloseUndoneJournal(install_dir, marker->untrusted, std::move(undo.leftovers)) ||
      marker->untrusted) {
    return {RepairOutcome::Untrusted, {}};
  }
  return {RepairOutcome::Restored, {}};
}

bool RetireInterruptedUpdate(const std::wstring& install_dir) {
  if (const std::optional<UpdateMarker> marker = ReadUpdateMarker(install_dir)) {
    for (const MarkerEntry& step : marker->entries) DiscardStep(install_dir, step);
  }
  RemoveUpdateMarker(install_dir);
  return !UpdateMarkerExists(install_dir);
}
