#include "updater/zip_member_plan.h"

#include <set>

#include "package/path_conflicts.h"
#include "state/install_layout.h"
#include "state/version_manifest.h"

namespace {

// The installation's own files: whatever a record says, they are never removed as members.
constexpr const char* kOwnFiles[] = {kVersionManifestName, kZipMembersName, "orvane-config.json",
                                     "orvane-updater.exe", "orvane-update.pending"};

}  // namespace

ZipMemberPlan PlanZipMembers(const std::optional<ZipMembers>& recorded, const ReleaseInfo& release,
                             const std::vector<ZipRecord>& staged) {
  ZipMemberPlan plan;
  std::set<std::u16string> delivered;
  for (const char* own : kOwnFiles) delivered.insert(file_key(own));
  for (const ReleaseFile& file : release.files) {
    delivered.insert(file_key(file.file_path));
    if (!file.compressed) continue;
    const ZipRecord* record = nullptr;
    for (const ZipRecord& zip : staged) {
      if (zip.file_path == file.file_path) record = &zip;
    }
    if (!record && recorded) record = FindZipRecord(*recorded, file.file_path);
    if (!record) continue;
    plan.records.packages.push_back(*record);
    for (const ZipMember& member : record->members) delivered.insert(file_key(member.file_path));
  }
  if (!recorded) return plan;
  for (const ZipRecord& zip : recorded->packages) {
    for (const ZipMember& member : zip.members) {
      const std::u16string key = file_key(member.file_path);
      if (!key.empty() && delivered.insert(key).second) plan.removed.push_back(member.file_path);
    }
  }
  return plan;
}
