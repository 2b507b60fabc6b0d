// The replacement phase of one update. Every step is written into the installation's journal
// ("orvane-update.pending") before it is taken, so that the run itself (on a failure or a
// cancel) or a later run (after a kill or a power loss) can undo it:
//
//   step                                   undone by
//   a file moved aside to "<file>.bak"     moving the ".bak" back over the file
//   a new file moved into its place        the backup above, or removing it when it was new
//
// The journal goes when every step was taken and the records were replaced with the files;
// only then are the backups deleted.
#pragma once

#include <string>
#include <vector>

#include "state/update_marker_text.h"

class ReplacementJournal {
 public:
  // `untrusted`: the run repairs an installation whose records cannot be trusted; the journal
  // keeps saying so until this run has finished.
  ReplacementJournal(std::wstring install_dir, bool untrusted);
  // A journal neither committed nor rolled back (an exception on the way) is rolled back.
  ~ReplacementJournal();
  ReplacementJournal(const ReplacementJournal&) = delete;
  ReplacementJournal& operator=(const ReplacementJournal&) = delete;

  // The journal, written before anything in the installation is touched.
  bool begin();

  // Puts the staged file `source` at `target` (file_path, as published, names it in the
  // journal): whatever is there goes to "<target>.bak" first. A ".bak" an earlier run left is
  // deleted before the step is written down, so the journal never points at a stale one.
  bool replace(const std::wstring& source, const std::wstring& target,
               const std::string& file_path);

  // Undoes every step taken, newest first. The journal goes when everything is back (or says
  // "untrusted" again when the run began so); when something could not be put back it stays as
  // it is, for the next run to finish the undo.
  bool roll_back();

  // Closes the journal, then deletes the backups (one that cannot be deleted, such as the
  // running updater's own image, is left for the next run).
  bool commit();

 private:
  bool write_down(MarkerEntryKind kind, const std::string& file_path);

  std::wstring install_dir_;
  bool open_ = false;
  UpdateMarker marker_;
  std::vector<std::wstring> backups_;  // made by this run, in order
};
