// The text of "orvane-update.pending", the journal an update keeps in the installation while it
// replaces files. Portable: the format alone, tested on its own.
//
//   orvane-update 2            the format this program writes
//   untrusted                  optional: records and files may disagree (refetch everything)
//   replaced<TAB><path>        <path>.bak holds the file as it was before the update
//   added<TAB><path>           nothing was at <path> before the update
//
// A text without the first line is the earlier format: one path a line, each one "replaced",
// and records that were never backed up, so the installation counts as untrusted once repaired.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class MarkerEntryKind { Replaced, Added };

struct MarkerEntry {
  MarkerEntryKind kind = MarkerEntryKind::Replaced;
  std::string file_path;  // relative to the installation, as published (UTF-8)
};

struct UpdateMarker {
  bool untrusted = false;
  std::vector<MarkerEntry> entries;  // in the order the update made them
};

std::string update_marker_text(const UpdateMarker& marker);

// Lines that cannot be read are skipped; their paths are judged by the caller anyway.
UpdateMarker parse_update_marker(std::string_view text);
