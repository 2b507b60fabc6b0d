// What an update does with the files zip packages placed: which recorded ones the new release
// no longer delivers (removed, through the journal), and the records after the update.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net/release.h"
#include "state/zip_members.h"

struct ZipMemberPlan {
  std::vector<std::string> removed;  // file_paths, as recorded
  ZipMembers records;                // release order: staged zips, then kept records
};

// `recorded`: the installation's records (absent: it predates them, and nothing is removed).
// `staged`: the zips this update fetched, with what they hold. A zip of the release that was
// not fetched keeps its record. A recorded file that the release names, or that a zip of the
// release holds, or that is one of the installation's own files, is never removed.
ZipMemberPlan PlanZipMembers(const std::optional<ZipMembers>& recorded, const ReleaseInfo& release,
                             const std::vector<ZipRecord>& staged);
