#include "journal/journal.h"

#include <windows.h>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "journal/journal_steps.h"
#include "journal/journal_repair.h"
#include "package/installed_path.h"
#include "package/path_conflicts.h"

namespace {

constexpr const char* kBackupSuffix = ".bak";
constexpr const char* kIncomingSuffix = ".new";
// "x.bak", then "x.bak2" ... when a file of someone else's already has the name.
constexpr int kNameTries = 100;

}  // namespace

Journal::Journal(std::wstring install_dir, bool untrusted, const std::vector<std::string>& targets)
    : install_dir_(std::move(install_dir)) {
  state_.untrusted = untrusted;
  for (const std::string& target : targets) targets_.insert(file_key(target));
}

Journal::~Journal() {
  if (open_) roll_back();
}

bool Journal::write() {
  return WriteJournal(install_dir_, state_);
}

bool Journal::begin() {
  if (JournalExists(install_dir_)) {
    const std::optional<JournalState> earlier = ReadJournal(install_dir_);
    if (!earlier || (!earlier->committed && !earlier->steps.empty())) return false;
    // What an earlier run could not delete yet (a running image) is carried over, to be
    // deleted with this run's backups.
    if (earlier->committed && !DiscardCommittedSteps(install_dir_, *earlier)) {
      for (const JournalStep& step : earlier->steps) {
        for (const std::string* name : {&step.file_path, &step.backup, &step.incoming}) {
          const bool kept = step.kind == JournalStepKind::Leftover || name != &step.file_path;
          const std::optional<std::wstring> path = InstalledPath(install_dir_, *name);
          if (kept && !name->empty() && path && path_exists(*path)) {
            state_.steps.push_back({JournalStepKind::Leftover, *name, {}, {}});
            held_.insert(file_key(*name));
          }
        }
      }
    }
  }
  open_ = true;
  return write();
}

bool Journal::write_down(const JournalStep& step) {
  state_.steps.push_back(step);
  if (!AppendJournalStep(install_dir_, step)) {
    state_.steps.pop_back();
    return false;
  }
  for (const std::string* name : {&step.file_path, &step.backup, &step.incoming}) {
    if (!name->empty()) held_.insert(file_key(*name));
  }
  return true;
}

std::optional<std::string> Journal::free_name(const std::string& file_path,
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

bool Journal::put(const std::wstring& source, const std::string& file_path) {
  const std::u16string key = file_key(file_path);
  const std::optional<std::wstring> target = InstalledPath(install_dir_, file_path);
  if (key.empty() || !target || held_.count(key)) return false;
  JournalStep step{
      path_exists(*target) ? JournalStepKind::Replaced : JournalStepKind::Added, file_path, {}, {}};
  const std::optional<std::string> incoming = free_name(file_path, kIncomingSuffix);
  if (!incoming) return false;
  step.incoming = *incoming;
  if (step.kind == JournalStepKind::Replaced) {
    const std::optional<std::string> backup = free_name(file_path, kBackupSuffix);
    if (!backup) return false;
    step.backup = *backup;
  }
  return write_down(step) && DoStep(install_dir_, step, source);
}

bool Journal::remove(const std::string& file_path) {
  const std::u16string key = file_key(file_path);
  const std::optional<std::wstring> target = InstalledPath(install_dir_, file_path);
  if (key.empty() || !target || held_.count(key)) return false;
  if (!path_exists(*target)) return true;
  const std::optional<std::string> backup = free_name(file_path, kBackupSuffix);
  if (!backup) return false;
  const JournalStep step{JournalStepKind::Removed, file_path, *backup, {}};
  return write_down(step) && DoStep(install_dir_, step, {});
}

std::optional<std::wstring> Journal::roll_back() {
  open_ = false;
  UndoOutcome undo = UndoSteps(install_dir_, state_.steps);
  if (undo.unrestored) return undo.unrestored;
  state_.steps.clear();
  if (!CloseUndoneJournal(install_dir_, state_.untrusted, std::move(undo.leftovers))) {
    return join_path(install_dir_, kJournalName);
  }
  return std::nullopt;
}

bool Journal::commit() {
  // From here on the installation is the new release, whole: trusted again.
  const JournalState open = state_;
  state_.committed = true;
  state_.untrusted = false;
  if (!write()) {
    state_ = open;
    return false;
  }
  open_ = false;
  pause_point("committed");
  DiscardCommittedSteps(install_dir_, state_);
  return true;
}
