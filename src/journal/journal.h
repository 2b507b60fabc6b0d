// The replacement phase of one update, run as journaled steps (installation/replacement_steps.h):
// every step is written into the installation's journal ("orvane-update.pending") before it is
// taken, so that the run itself (on a failure or a cancel) or a later run (after a kill or a
// power loss) can undo it. Commit is journaled too: the journal says "committed" before the
// backups go, so a run killed while deleting them leaves only backups to delete, never an undo.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "journal/journal_text.h"

class Journal {
 public:
  // `untrusted`: the run repairs an installation whose records cannot be trusted; the journal
  // keeps saying so until this run has finished. `targets`: file_path of every file the run
  // will put down, so that no backup or waiting name the journal picks is one of them.
  Journal(std::wstring install_dir, bool untrusted, const std::vector<std::string>& targets);
  // A journal neither committed nor rolled back (an exception on the way) is rolled back.
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // The journal, written before anything in the installation is touched. Refused while the
  // installation holds a journal with steps of an earlier run: those must be undone first.
  bool begin();

  // Puts the staged file `source` at file_path: whatever is there is kept as a backup first, a
  // name that holds nothing and that no target of this run takes. Refused for a target this
  // journal already holds (in any spelling), which would lose the first step's backup.
  bool put(const std::wstring& source, const std::string& file_path);

  // Moves the file at file_path aside (kept as a backup until the commit); nothing to do when
  // there is none. Refused for a target this journal already holds.
  bool remove(const std::string& file_path);

  // Undoes every step taken, newest first. The journal goes when everything is back (or says
  // "untrusted" again when the run began so); when something could not be put back it stays
  // as it is, for the next run to finish the undo, and the result names the first such file.
  std::optional<std::wstring> roll_back();

  // Marks the journal committed, deletes the backups, then the journal. A backup that cannot be
  // deleted (the running updater's own image) keeps the committed journal for the next run.
  bool commit();

 private:
  bool write();
  bool write_down(const JournalStep& step);
  std::optional<std::string> free_name(const std::string& file_path, const char* suffix) const;

  std::wstring install_dir_;
  bool open_ = false;
  JournalState state_;
  std::set<std::u16string> targets_;  // file keys (path_conflicts.h) of what the run puts down
  std::set<std::u16string> held_;     // file keys of every name a written-down step uses
};
