// The steps of a replacement in the installation, each with its undo beside it. A step is a
// journal entry (state/update_marker_text.h); the journal writes it down before it is taken, so
// an undo may meet a step taken in part or not at all, and must then leave things as they were.
//
//   step       do                                        undo
//   replaced   new file copied beside P as N (flushed),  N deleted; B, if it is there, moved
//              P renamed to B, N renamed to P            back over P
//   added      new file copied beside P as N (flushed),  N deleted, P deleted
//              N renamed to P
//   removed    P renamed to B                            B, if it is there, moved back to P
//   leftover   (written down only, never taken)          nothing: the file F stays to delete
//
// A replaced P that is the running updater's own image can be renamed but not replaced: its undo
// renames it to N first, then B back to P, and N (still running) is a leftover.
// Nothing slow stands between the two renames: across volumes the copy is made first, so a kill
// never leaves a half-written file under a name of the release.
#pragma once

#include <optional>
#include <string>

#include "journal/journal_text.h"

// Takes the step, with `source` (the staged file) as its new file (none for a removal). False when
// it stopped part-way; the journal's undo puts back what it did.
bool DoStep(const std::wstring& install_dir, const JournalStep& step, const std::wstring& source);

struct UndoResult {
  bool undone = true;    // the target is as it was before the step
  std::string leftover;  // a file of the step that could not be deleted yet (relative), or ""
};

// Puts back what the step did, as far as it got.
UndoResult UndoStep(const std::wstring& install_dir, const JournalStep& step);

// After the whole replacement is in place: deletes what the step kept to undo it (its backup,
// a leftover new file). True when nothing of it is left.
bool DiscardStep(const std::wstring& install_dir, const JournalStep& step);
