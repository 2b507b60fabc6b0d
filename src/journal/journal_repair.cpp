#include "journal/journal_repair.h"

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "journal/journal_file.h"
#include "journal/journal_steps.h"
#include "package/installed_path.h"

namespace {

std::wstring journal_path(const std::wstring& install_dir) {
  return join_path(install_dir, kJournalName);
}

}  // namespace

bool DiscardCommittedSteps(const std::wstring& install_dir, JournalState journal) {
  std::vector<JournalStep> left;
  for (const JournalStep& step : journal.steps) {
    if (!DiscardStep(install_dir, step)) left.push_back(step);
    pause_point("discarded");
  }
  if (!left.empty()) {
    if (left.size() != journal.steps.size()) {
      journal.steps = std::move(left);
      WriteJournal(install_dir, journal);
    }
    return false;
  }
  if (journal.untrusted) return WriteJournal(install_dir, JournalState{true, false, {}});
  return RemoveJournal(install_dir);
}

UndoOutcome UndoSteps(const std::wstring& install_dir, const std::vector<JournalStep>& steps) {
  UndoOutcome outcome;
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    const UndoResult undone = UndoStep(install_dir, *step);
    if (!undone.leftover.empty()) {
      outcome.leftovers.push_back({JournalStepKind::Leftover, undone.leftover, {}, {}});
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
                        std::vector<JournalStep> leftovers) {
  if (!leftovers.empty()) {
    return WriteJournal(install_dir, JournalState{untrusted, true, std::move(leftovers)});
  }
  if (untrusted) return WriteJournal(install_dir, JournalState{true, false, {}});
  return RemoveJournal(install_dir);
}

RepairResult RepairInterruptedUpdate(const std::wstring& install_dir) {
  if (!JournalExists(install_dir)) return {};
  std::optional<JournalState> journal = ReadJournal(install_dir);
  // A journal that cannot be read at all stays: nothing installed can be trusted, and nothing
  // may be written over it until it can be read.
  if (!journal) return {RepairOutcome::Blocked, journal_path(install_dir)};
  // Committed: the update (or an undo) was complete; only its backups and leftovers remain.
  if (journal->committed) {
    DiscardCommittedSteps(install_dir, *journal);
    return {journal->untrusted ? RepairOutcome::Untrusted : RepairOutcome::Completed, {}};
  }
  UndoOutcome undo = UndoSteps(install_dir, journal->steps);
  if (undo.unrestored) return {RepairOutcome::Blocked, *undo.unrestored};
  if (!CloseUndoneJournal(install_dir, journal->untrusted, std::move(undo.leftovers)) ||
      journal->untrusted) {
    return {RepairOutcome::Untrusted, {}};
  }
  return {RepairOutcome::Restored, {}};
}

bool RetireInterruptedUpdate(const std::wstring& install_dir) {
  if (const std::optional<JournalState> journal = ReadJournal(install_dir)) {
    for (const JournalStep& step : journal->steps) DiscardStep(install_dir, step);
  }
  RemoveJournal(install_dir);
  return !JournalExists(install_dir);
}
