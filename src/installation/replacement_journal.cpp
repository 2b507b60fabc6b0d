#include "installation/replacement_journal.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "installation/replacement_steps.h"
#include "installation/update_marker.h"
#include "package/installed_path.h"
#include "package/path_conflicts.h"

namespace {

constexpr const char* kBackupSuffix = ".bak";
constexpr const char* kIncomingSuffix = ".new";
// "x.bak", then "x.bak2" ... when a file of someone else's already has the name.
constexpr int kNameTries = 100;

}  // namespace

ReplacementJournal::ReplacementJournal(std::wstring install_dir, bool untrusted,
                                       const std::vector<std::string>& targets)
    : install_dir_(std::move(install_dir)) {
  marker_.untrusted = untrusted;
  for (const std::string& target : targets) targets_.insert(file_key(target));
}

ReplacementJournal::~ReplacementJournal() {
  if (open_) roll_back();
}

bool ReplacementJournal::write() {
  return WriteUpdateMarker(install_dir_, marker_);
}

bool ReplacementJournal::begin() {
  if (UpdateMarkerExists(install_dir_)) {
    const std::optional<UpdateMarker> earlier = ReadUpdateMarker(install_dir_);
    if (!earlier || (!earlier->committed && !earlier->entries.empty())) return false;
    // What an earlier run could not delete yet (a running image) is carried over, to be
    // deleted with this run's backups.
    if (earlier->committed && !DiscardCommittedSteps(install_dir_, *earlier)) {
      for (const MarkerEntry& step : earlier->entries) {
        for (const std::string* name : {&step.file_path, &step.backup, &step.incoming}) {
          const bool kept = step.kind == MarkerEntryKind::Leftover || name != &step.file_path;
          const std::optional<std::wstring> path = InstalledPath(install_dir_, *name);
          if (kept && !name->empty() && path && path_exists(*path)) {
            marker_.entries.push_back({MarkerEntryKind::Leftover, *name, {}, {}});
            held_.insert(file_key(*name));
          }
        }
      }
    }
  }
  open_ = true;
  return write();
}

bool ReplacementJournal::write_down(const MarkerEntry& step) {
  marker_.entries.push_back(step);
  if (!AppendUpdateMarkerEntry(install_dir_, step)) {
    marker_.entries.pop_back();
    return false;
  }
  for (const std::string* name : {&step.file_path, &step.backup, &step.incoming}) {
    if (!name->empty()) held_.insert(file_key(*name));
  }
  return true;
}

std::optional<std::string> ReplacementJournal::free_name(const std::string& file_path,
                                                         const char* suffix) const {
  for (int n = 1; n <= kNameTries; ++n) {
    const std::string name = file_path + suffix + (n == 1 ? std::string() : std::to_string(n));
    const std::u16string key = file_key(name);
    const std::optional<std::wstring> path = InstalledPath(install_dir_, name);
    if (key.empty() || !path || path_exists(*path) || held_.count(key) || targets_.count(key)) {
      continue;
    }
    return name;
  }
  return std::nullopt;
}

bool ReplacementJournal::put(const std::wstring& source, const std::string& file_path) {
  const std::u16string key = file_key(file_path);
  const std::optional<std::wstring> target = InstalledPath(install_dir_, file_path);
  if (key.empty() || !target || held_.count(key)) return false;
  MarkerEntry step{path_exists(*target) ? MarkerEntryKind::Replaced : MarkerEntryKind::Added,
                   file_path, {}, {}};
  const std::optional<std::string> incoming = free_name(file_path, kIncomingSuffix);
  if (!incoming) return false;
  step.incoming = *incoming;
  if (step.kind == MarkerEntryKind::Replaced) {
    const std::optional<std::string> backup = free_name(file_path, kBackupSuffix);
    if (!backup) return false;
    step.backup = *backup;
  }
  return write_down(step) && DoStep(install_dir_, step, source);
}

bool ReplacementJournal::remove(const std::string& file_path) {
  const std::u16string key = file_key(file_path);
  const std::optional<std::wstring> target = InstalledPath(install_dir_, file_path);
  if (key.empty() || !target || held_.count(key)) return false;
  if (!path_exists(*target)) return true;
  const std::optional<std::string> backup = free_name(file_path, kBackupSuffix);
  if (!backup) return false;
  const MarkerEntry step{MarkerEntryKind::Removed, file_path, *backup, {}};
  return write_down(step) && DoStep(install_dir_, step, {});
}

std::optional<std::wstring> ReplacementJournal::roll_back() {
  open_ = false;
  UndoOutcome undo = UndoSteps(install_dir_, marker_.entries);
  if (undo.unrestored) return undo.unrestored;
  marker_.entries.clear();
  if (!CloseUndoneJournal(install_dir_, marker_.untrusted, std::move(undo.leftovers))) {
    return join_path(install_dir_, kUpdateMarkerName);
  }
  return std::nullopt;
}

bool ReplacementJournal::commit() {
  // From here on the installation is the new release, whole: trusted again.
  const UpdateMarker open = marker_;
  marker_.committed = true;
  marker_.untrusted = false;
  if (!write()) {
    marker_ = open;
    return false;
  }
  open_ = false;
  pause_point("committed");
  DiscardCommittedSteps(install_dir_, marker_);
  return true;
}
