// What an update has staged and will put into the installation through the journal.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "state/zip_members.h"

struct UpdateItem {
  std::wstring source_path;
  std::string file_path;
  size_t package = 0;  // which changed package brought it
};

// What one package staged: its file first, or the files of a zip it brings, with the zip's
// record (every file the zip holds, with its digest).
struct StagedPackage {
  std::vector<UpdateItem> items;
  std::optional<ZipRecord> zip;
};
