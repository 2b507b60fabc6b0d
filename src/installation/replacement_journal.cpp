#include "installation/replacement_journal.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "installation/replacement_steps.h"
#include "installation/update_marker.h"
#include "package/installed_path.h"
#include "package/package_path.h"
#include "package/path_conflicts.h"

namespace {

constexpr const char* kBackupSuffix = ".bak";
constexpr const char* kIncomingSuffix = ".new";
// "x.bak", then "x.bak2" ... when a file of someone else's already has the name.
constexpr int kNameTries = 100;

std::u16string identity_of(const std::string& file_path) {
  const std::optional<std::u16string> relative = safe_relative_path(file_path);
  return relative ? path_identity(*relative) : std::u16string();
}

}  // namespace

ReplacementJournal::ReplacementJournal(std::wstring install_dir, bool untrusted,
                                       const std::vector<std::string>& targets)
    : install_dir_(std::move(install_dir)) {
  marker_.untrusted = untrusted;
  for (const std::string& target : targets) taken_.push_back(identity_of(target));
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
          }
        }
      }
    }
  }
  open_ = true;
  return write();
}

bool ReplacementJournal::held(const std::u16string& identity) const {
  for (const MarkerEntry& entry : marker_.entries) {
    for (const std::string* name : {&entry.file_path, &entry.backup, &entry.incoming}) {
      if (!name->empty() && same_installed_file(identity, identity_of(*name))) return true;
    }
  }
  return false;
}

std::optional<std::string> ReplacementJournal::free_name(const std::string& file_path,
                                                         const char* suffix) const {
  for (int n = 1; n <= kNameTries; ++n) {
    const std::string name = file_path + suffix + (n == 1 ? std::string() : std::to_string(n));
    const std::u16string identity = identity_of(name);
    const std::optional<std::wstring> path = InstalledPath(install_dir_, name);
    if (identity.empty() || !path || path_exists(*path) || held(identity)) continue;
    bool target = false;
    for (const std::u16string& taken : taken_) target |= same_installed_file(identity, taken);
    if (!target) return name;
  }
  return std::nullopt;
}

bool ReplacementJournal::put(const std::wstring& source, const std::string& file_path) {
  const std::u16string identity = identity_of(file_path);
  const std::optional<std::wstring> target = InstalledPath(install_dir_, file_path);
  if (identity.empty() || !target || held(identity)) return false;
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
  marker_.entries.push_back(step);
  if (!write()) {
    marker_.entries.pop_back();
    return false;
  }
  return DoStep(install_dir_, step, source);
}

bool ReplacementJournal::remove(const std::string& file_path) {
  const std::u16string identity = identity_of(file_path);
  const std::optional<std::wstring> target = InstalledPath(install_dir_, file_path);
  if (identity.empty() || !target || held(identity)) return false;
  if (!path_exists(*target)) return true;
  const std::optional<std::string> backup = free_name(file_path, kBackupSuffix);
  if (!backup) return false;
  const MarkerEntry step{MarkerEntryKind::Removed, file_path, *backup, {}};
  marker_.entries.push_back(step);
  if (!write()) {
    marker_.entries.pop_back();
    return false;
  }
  return DoStep(install_dir_, step, {});
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
