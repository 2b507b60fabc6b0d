// What a later run does with the journal an update left: the undo of an interrupted update, or
// the last work of a committed one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/journal_file.h"
#include "journal/journal_text.h"

// A committed journal's last work: deletes what its steps kept to undo them, then the journal
// (an untrusted one stays, without steps). What cannot be deleted yet stays listed in a
// committed journal; true when nothing is left to delete.
bool DiscardCommittedSteps(const std::wstring& install_dir, JournalState journal);

struct UndoOutcome {
  std::optional<std::wstring> unrestored;  // the first file that could not be put back
  std::vector<JournalStep> leftovers;      // files to delete once they can be
};

// Undoes `steps`, newest first, stopping at the first that cannot be undone.
UndoOutcome UndoSteps(const std::wstring& install_dir, const std::vector<JournalStep>& steps);

// After a complete undo: the journal goes, or says "untrusted" again, or keeps (committed) the
// leftovers of the undo for the next run to delete. True when that was written.
bool CloseUndoneJournal(const std::wstring& install_dir, bool untrusted,
                        std::vector<JournalStep> leftovers);

enum class RepairOutcome {
  NoJournal,  // nothing was interrupted
  Restored,   // the installation is again exactly what it was before; the journal is gone
  Completed,  // the interrupted update had committed: only its backups were left, now deleted
  Untrusted,  // files and records may disagree: the journal stays, with no steps, until an
              // update that fetched everything has finished
  Blocked,    // a step could not be undone (a file in use): the journal stays as it is
};

struct RepairResult {
  RepairOutcome outcome = RepairOutcome::NoJournal;
  std::wstring unrestored;  // Blocked: the first file that could not be put back
};

// What every run does first, before any network: undoes an interrupted update, newest step
// first, or finishes one that had committed.
RepairResult RepairInterruptedUpdate(const std::wstring& install_dir);

// After a complete release was installed over the installation: deletes what the journal's
// steps kept (backups, waiting new files), then the journal, so that no later run restores an
// old backup over the fresh files. True when no journal is left.
bool RetireInterruptedUpdate(const std::wstring& install_dir);
