// The text of "orvane-update.pending", the journal an update keeps in the installation while it
// replaces files. Portable: the format alone, tested on its own.
//
//   orvane-update 2                     the format this program writes
//   untrusted                           optional: records and files may disagree (refetch all)
//   committed                           optional: every step was taken; only the backups of
//                                       the steps below are left to delete
//   replaced<TAB>P<TAB>B<TAB>N          B holds the file as it was before; N is where the new
//                                       file waits beside P
//   added<TAB>P<TAB><TAB>N              nothing was at P before the update
//   removed<TAB>P<TAB>B                 B holds the file the update removed
//   leftover<TAB>F                      a file of an earlier run to delete once it can be (the
//                                       updater's own image while it runs); never undone
//
// Paths are relative to the installation, UTF-8, as published; every line ends with a line feed.
// A step counts only when its line is whole: its line feed came, and it has exactly its kind's
// fields, none of them empty but added's backup. Anything else (a line a power cut left short,
// which may still look like a shorter line of another meaning) is not acted on and makes the
// journal untrusted: the step it names may or may not have been taken. A text without the first
// line is the earlier format: one path a line, each one "replaced" with the backup "P.bak", and
// records that were never backed up, so the installation counts as untrusted once repaired.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class JournalStepKind { Replaced, Added, Removed, Leftover };

struct JournalStep {
  JournalStepKind kind = JournalStepKind::Replaced;
  std::string file_path;  // the target; Leftover: the file to delete
  std::string backup;     // Replaced, Removed: where the old file goes
  std::string incoming;   // where the new file is put down before it takes the target's name
};

struct JournalState {
  bool untrusted = false;
  bool committed = false;
  std::vector<JournalStep> steps;  // in the order the update made them
};

inline constexpr std::string_view kDefaultBackupSuffix = ".bak";

std::string journal_text(const JournalState& journal);

// One entry's line, line feed included: what a journal that grows by appending adds.
std::string journal_line(const JournalStep& entry);

JournalState parse_journal(std::string_view text);
