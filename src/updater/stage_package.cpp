#include "updater/stage_package.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "base/file_system.h"
#include "base/wide.h"
#include "package/extract_archive.h"
#include "package/package_path.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "package/zip_listing.h"

namespace {

PackageError failed(PackageFailure kind) {
  return PackageError{kind, {}};
}

// Every other file of the zip goes into place with it, and is recorded with its digest.
void add_members(StagedPackage& staged, const ReleaseFile& file, size_t index,
                 const std::wstring& unpack, const std::vector<std::string>& members,
                 const std::string& digest) {
  staged.zip = ZipRecord{file.file_path, file.zip_checksum, {{file.file_path, digest}}};
  for (const std::string& member : members) {
    const std::optional<std::u16string> member_relative = safe_relative_path(member);
    if (!member_relative || same_file_path(member, file.file_path)) continue;
    const std::wstring member_source = join_path(unpack, to_wide(*member_relative));
    if (!path_exists(member_source)) continue;
    staged.items.push_back({member_source, member, index});
    staged.zip->members.push_back({member, Sha256File(member_source)});
  }
}

}  // namespace

PackageOutcome<StagedPackage> StagePackage(const ReleaseFile& file, size_t index,
                                           const std::wstring& staging,
                                           const DownloadedPackage& download,
                                           const std::atomic<bool>& cancel) {
  const std::optional<std::u16string> relative = safe_relative_path(file.file_path);
  if (!relative) return failed(PackageFailure::InvalidPath);
  const std::wstring unpack = staging + L"\\" + std::to_wstring(index);
  const std::wstring source = join_path(unpack, to_wide(*relative));
  if (!remove_tree(unpack) || !create_directories(unpack) || !create_parent_directories(source)) {
    return failed(PackageFailure::CannotCreateFolder);
  }
  std::optional<std::vector<std::string>> members;
  std::string digest = download.digest;  // a plain file's bytes were checked as they arrived
  if (file.compressed) {
    members = ListZipFiles(download.path);
    if (!members) return failed(PackageFailure::UnreadableArchive);
    // A file of the archive at one of the installation's records would be moved over it by the
    // journal: the package is refused before anything is unpacked.
    if (find_record_member(*members)) return failed(PackageFailure::RecordMember);
    if (!ExtractArchive(download.path, unpack, &cancel)) return failed(PackageFailure::Extract);
    digest = Sha256File(source);
    if (!file.checksum_sha256.empty() && digest != file.checksum_sha256) {
      return failed(PackageFailure::FileDigest);
    }
  } else if (!MoveFileW(download.path.c_str(), source.c_str())) {
    return failed(PackageFailure::Place);
  }
  DeleteFileW(download.path.c_str());
  StagedPackage staged;
  staged.items.push_back({source, file.file_path, index});
  if (members) add_members(staged, file, index, unpack, *members, digest);
  return staged;
}
