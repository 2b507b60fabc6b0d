#include "package/fetch_package.h"

#include <windows.h>

#include <optional>

#include "base/file_system.h"
#include "base/pause_point.h"
#include "package/extract_archive.h"
#include "package/installed_path.h"
#include "package/package_path.h"
#include "package/path_conflicts.h"
#include "package/sha256_file.h"
#include "package/zip_listing.h"

namespace {

constexpr const wchar_t* kDownloadSuffix = L".zip";
// Same volume: a rename; across volumes (the temporary folder on C:, the installation on D:) a
// copy. Either way the release's file takes the place of what is there.
constexpr DWORD kPlaceFlags =
    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

PackageError failed(PackageFailure kind) {
  return PackageError{kind, {}};
}

// Moves the verified download over the installed file. A read-only mark on an installed file
// is the installation's own and must not keep the new release out.
bool place_file(const std::wstring& download_path, const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    clear_read_only(target, attributes);
  }
  return MoveFileExW(download_path.c_str(), target.c_str(), kPlaceFlags) != 0;
}

PackageOutcome<PlacedPackage> place_archive(const ReleaseFile& file,
                                            const std::wstring& download_path,
                                            const std::wstring& install_dir,
                                            const std::wstring& target,
                                            const std::atomic<bool>* cancel) {
  const std::optional<std::vector<std::string>> names = ListZipFiles(download_path);
  if (!names) return failed(PackageFailure::UnreadableArchive);
  // An archive never writes over the installation's records or its journal (nor the mark that
  // says the installation is being reinstalled).
  if (find_record_member(*names)) return failed(PackageFailure::RecordMember);
  PlacedPackage placed;
  for (const std::string& name : *names) {
    if (InstalledPath(install_dir, name)) placed.members.push_back(name);
  }
  if (!ExtractArchive(download_path, install_dir, cancel)) {
    const bool cancelled = cancel != nullptr && cancel->load();
    return failed(cancelled ? PackageFailure::Cancelled : PackageFailure::Extract);
  }
  placed.digest = Sha256File(target);
  if (!file.checksum_sha256.empty() && placed.digest != file.checksum_sha256) {
    return failed(PackageFailure::FileDigest);
  }
  return placed;
}

PackageOutcome<PlacedPackage> place_plain(const DownloadedPackage& download,
                                          const std::wstring& target, WriteGate* gate) {
  const bool existed = path_exists(target);
  // Across volumes the move is a copy that takes a while: the gate keeps the program from
  // ending in the middle of it.
  std::unique_lock<std::mutex> writing;
  if (gate != nullptr) {
    writing = std::unique_lock<std::mutex>(gate->mutex);
    if (gate->closed) return failed(PackageFailure::Cancelled);
  }
  pause_point("placing");
  if (!place_file(download.path, target)) {
    return failed(existed ? PackageFailure::Replace : PackageFailure::Place);
  }
  return PlacedPackage{{}, download.digest};
}

}  // namespace

std::wstring install_temp_dir() {
  const std::wstring root = temp_root();
  if (root.empty()) return {};
  return root + kInstallTempFolderName;
}

std::wstring install_download_path(const std::wstring& temp_dir, size_t position) {
  return join_path(temp_dir, std::to_wstring(position) + kDownloadSuffix);
}

PackageOutcome<DownloadedPackage> DownloadPackage(const ReleaseFile& file, const std::wstring& path,
                                                  HttpClient& http, DownloadProgress progress) {
  if (!safe_relative_path(file.file_path)) return failed(PackageFailure::InvalidPath);
  DownloadedPackage download{path, {}};
  if (path.empty() || !create_parent_directories(download.path)) {
    return failed(PackageFailure::CannotCreateFolder);
  }
  // No byte past what the release announced: a body that goes on fills no disk.
  const uint64_t announced = file.file_size > 0 ? static_cast<uint64_t>(file.file_size) : 0;
  if (!http.download(file.download_url, download.path, std::move(progress), &download.digest,
                     announced)) {
    return PackageError{PackageFailure::Transfer, http.last_error()};
  }
  if (!file.zip_checksum.empty() && download.digest != file.zip_checksum) {
    return failed(PackageFailure::DownloadDigest);
  }
  // A plain file is checked before it replaces anything, so a bad download never costs the
  // installed file.
  if (!file.compressed && !file.checksum_sha256.empty() && download.digest != file.checksum_sha256) {
    return failed(PackageFailure::FileDigest);
  }
  return download;
}

PackageOutcome<PlacedPackage> PlacePackage(const ReleaseFile& file,
                                           const DownloadedPackage& download,
                                           const std::wstring& install_dir,
                                           const std::atomic<bool>* cancel, WriteGate* gate) {
  const std::optional<std::wstring> target = InstalledPath(install_dir, file.file_path);
  if (!target) return failed(PackageFailure::InvalidPath);
  if (!create_parent_directories(*target)) return failed(PackageFailure::CannotCreateFolder);
  PackageOutcome<PlacedPackage> placed =
      file.compressed ? place_archive(file, download.path, install_dir, *target, cancel)
                      : place_plain(download, *target, gate);
  if (placed) DeleteFileW(download.path.c_str());
  return placed;
}

PackageOutcome<PlacedPackage> FetchPackage(const ReleaseFile& file, size_t position,
                                           const std::wstring& install_dir, HttpClient& http) {
  if (!InstalledPath(install_dir, file.file_path)) return failed(PackageFailure::InvalidPath);
  const std::wstring temp_dir = install_temp_dir();
  const PackageOutcome<DownloadedPackage> download = DownloadPackage(
      file, temp_dir.empty() ? temp_dir : install_download_path(temp_dir, position), http);
  if (!download) return download.error;
  return PlacePackage(file, *download.value, install_dir);
}
