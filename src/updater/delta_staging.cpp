#include "updater/delta_staging.h"

#include <windows.h>

#include <set>
#include <vector>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "base/wide.h"
#include "package/extract_archive.h"
#include "package/installed_path.h"
#include "package/package_path.h"
#include "package/patch_file.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "package/zip_delta.h"
#include "state/file_text.h"

namespace {

constexpr const wchar_t* kDeltaFolderSuffix = L".delta";

// An empty folder for package `index`, and the place of `file_path` in it.
std::optional<std::wstring> fresh_target(const std::wstring& unpack, const std::string& file_path) {
  const std::optional<std::u16string> relative = safe_relative_path(file_path);
  if (!relative) return std::nullopt;
  const std::wstring target = join_path(unpack, to_wide(*relative));
  if (!create_parent_directories(target)) return std::nullopt;
  return target;
}

std::optional<StagedPackage> stage_file(const ReleaseFile& file, size_t index,
                                        const std::wstring& unpack, const std::wstring& install_dir,
                                        const std::wstring& delta_path) {
  const std::optional<std::wstring> installed = InstalledPath(install_dir, file.file_path);
  const std::optional<std::wstring> target = fresh_target(unpack, file.file_path);
  if (!installed || !target) return std::nullopt;
  // A plain package is the file itself: its announced size is the size the patch must make.
  const std::optional<uint64_t> size =
      file.file_size > 0 ? std::optional<uint64_t>(static_cast<uint64_t>(file.file_size))
                         : std::nullopt;
  const std::optional<std::string> digest = ApplyPatchFile(*installed, delta_path, *target, size);
  pause_point("patched");
  if (!digest || *digest != file.checksum_sha256) return std::nullopt;
  StagedPackage staged;
  staged.items.push_back({*target, file.file_path, index});
  return staged;
}

// Makes one file of a zip's delta at `target`; false when it does not come out as `member.sha256`.
bool make_member(const ZipDeltaMember& member, const std::wstring& installed,
                 const std::wstring& patches, const std::wstring& target, bool keep_copy) {
  if (member.patch.empty()) {
    // Kept as installed, its base being its new digest. The main file is still staged, so the
    // package always brings its file; then its copy is what gets hashed, once.
    if (!keep_copy) return Sha256File(installed) == member.sha256;
    if (!CopyFileW(installed.c_str(), target.c_str(), FALSE)) return false;
    // A copy takes the installed file's attributes: the staged file is the release's, as the
    // whole package would have unpacked it, and must be writable to be flushed and replaced.
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return Sha256File(target) == member.sha256;
  }
  if (!member.base_sha256.empty() && Sha256File(installed) != member.base_sha256) return false;
  const std::optional<std::u16string> patch = safe_relative_path(member.patch);
  if (!patch) return false;
  const std::optional<std::string> digest =
      ApplyPatchFile(member.base_sha256.empty() ? std::wstring() : installed,
                     join_path(patches, to_wide(*patch)), target, member.size);
  pause_point("patched");
  return digest && *digest == member.sha256;
}

std::optional<StagedPackage> stage_zip(const ReleaseFile& file, size_t index,
                                       const std::wstring& unpack, const std::wstring& install_dir,
                                       const std::wstring& delta_path, const std::wstring& patches,
                                       const std::atomic<bool>& cancel) {
  if (!remove_tree(patches) || !ExtractArchive(delta_path, patches, &cancel)) return std::nullopt;
  const std::wstring listing = join_path(patches, display_wide(kZipDeltaManifestName));
  const std::optional<uint64_t> listing_size = file_size_of(listing);
  if (!listing_size || *listing_size > kMaxZipDeltaManifestBytes) return std::nullopt;
  const std::optional<std::string> text = ReadFileText(listing);
  const std::optional<std::vector<ZipDeltaMember>> members =
      text ? parse_zip_delta(*text) : std::nullopt;
  if (!members) return std::nullopt;
  // One file named twice would be made twice, one at a record's name would replace the record;
  // the file at file_path must be the release's.
  std::set<std::u16string> names;
  const ZipDeltaMember* main = nullptr;
  for (const ZipDeltaMember& member : *members) {
    if (!names.insert(file_key(member.file_path)).second || is_record_path(member.file_path)) {
      return std::nullopt;
    }
    if (same_file_path(member.file_path, file.file_path)) main = &member;
  }
  if (main == nullptr || main->file_path != file.file_path ||
      main->sha256 != file.checksum_sha256) {
    return std::nullopt;
  }
  StagedPackage staged;
  staged.zip = ZipRecord{file.file_path, file.zip_checksum, {{file.file_path, main->sha256}}};
  std::vector<UpdateItem> others;
  for (const ZipDeltaMember& member : *members) {
    if (cancel.load()) return std::nullopt;
    const bool is_main = &member == main;
    const std::optional<std::wstring> installed = InstalledPath(install_dir, member.file_path);
    const std::optional<std::wstring> target = fresh_target(unpack, member.file_path);
    if (!installed || !target || !make_member(member, *installed, patches, *target, is_main)) {
      return std::nullopt;
    }
    if (is_main) {
      staged.items.push_back({*target, file.file_path, index});
      continue;
    }
    staged.zip->members.push_back({member.file_path, member.sha256});
    if (!member.patch.empty()) others.push_back({*target, member.file_path, index});
  }
  for (UpdateItem& item : others) staged.items.push_back(std::move(item));
  return staged;
}

// The made files reach the disk before the journal may name them; one that cannot is a failed
// delta, like any other.
bool flushed(const StagedPackage& staged) {
  for (const UpdateItem& item : staged.items) {
    if (test_fault("delta-flush") || !flush_file(item.source_path)) return false;
  }
  return true;
}

}  // namespace

std::optional<ReleaseDelta> ChooseDelta(const ReleaseFile& file, const std::wstring& install_dir) {
  if (file.deltas.empty() || file.checksum_sha256.empty()) return std::nullopt;
  const std::optional<std::wstring> installed = InstalledPath(install_dir, file.file_path);
  if (!installed) return std::nullopt;
  const std::string digest = Sha256File(*installed);
  if (digest.empty()) return std::nullopt;
  for (const ReleaseDelta& delta : file.deltas) {
    if (delta.base_sha256 == digest) return delta;
  }
  return std::nullopt;
}

ReleaseFile DeltaDownload(const ReleaseFile& file, const ReleaseDelta& delta) {
  ReleaseFile download;
  download.file_path = file.file_path;
  download.file_size = delta.file_size;
  download.zip_checksum = delta.sha256;
  download.download_url = delta.download_url;
  download.compressed = false;
  return download;
}

std::optional<StagedPackage> StageDelta(const ReleaseFile& file, size_t index,
                                        const std::wstring& staging,
                                        const std::wstring& install_dir,
                                        const std::wstring& delta_path,
                                        const std::atomic<bool>& cancel) {
  const std::wstring unpack = staging + L"\\" + std::to_wstring(index);
  const std::wstring patches = unpack + kDeltaFolderSuffix;
  std::optional<StagedPackage> staged;
  if (remove_tree(unpack) && create_directories(unpack)) {
    staged = file.compressed
                 ? stage_zip(file, index, unpack, install_dir, delta_path, patches, cancel)
                 : stage_file(file, index, unpack, install_dir, delta_path);
  }
  if (staged && !flushed(*staged)) staged.reset();
  remove_tree(patches);
  DeleteFileW(delta_path.c_str());
  return staged;
}
