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

bool fail(HttpClient& http, const char* reason) {
  http.set_last_error(reason);
  return false;
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

}  // namespace

std::wstring install_temp_dir() {
  const std::wstring root = temp_root();
  if (root.empty()) return {};
  return root + kInstallTempFolderName;
}

std::wstring install_download_path(const std::wstring& temp_dir, size_t position) {
  return join_path(temp_dir, std::to_wstring(position) + kDownloadSuffix);
}

std::optional<DownloadedPackage> DownloadPackage(const ReleaseFile& file, const std::wstring& path,
                                                 HttpClient& http, DownloadProgress progress) {
  if (!safe_relative_path(file.file_path)) {
    http.set_last_error(kInvalidFilePathError);
    return std::nullopt;
  }
  DownloadedPackage download{path, {}};
  if (path.empty() || !create_parent_directories(download.path)) {
    http.set_last_error(kCannotCreateFolderError);
    return std::nullopt;
  }
  // No byte past what the release announced: a body that goes on fills no disk.
  const uint64_t announced = file.file_size > 0 ? static_cast<uint64_t>(file.file_size) : 0;
  if (!http.download(file.download_url, download.path, std::move(progress), &download.digest,
                     announced)) {
    return std::nullopt;
  }
  if (!file.zip_checksum.empty() && download.digest != file.zip_checksum) {
    http.set_last_error(kDownloadChecksumError);
    return std::nullopt;
  }
  // A plain file is checked before it replaces anything, so a bad download never costs the
  // installed file.
  if (!file.compressed && !file.checksum_sha256.empty() && download.digest != file.checksum_sha256) {
    http.set_last_error(kChecksumError);
    return std::nullopt;
  }
  return download;
}

bool PlacePackage(const ReleaseFile& file, const DownloadedPackage& download,
                  const std::wstring& install_dir, HttpClient& http,
                  const std::atomic<bool>* cancel, std::vector<std::string>* members,
                  WriteGate* gate, std::string* placed_digest) {
  const std::optional<std::wstring> installed = InstalledPath(install_dir, file.file_path);
  if (!installed) return fail(http, kInvalidFilePathError);
  const std::wstring& download_path = download.path;
  const std::wstring& target = *installed;
  if (!create_parent_directories(target)) return fail(http, kCannotCreateFolderError);
  if (file.compressed) {
    const std::optional<std::vector<std::string>> names = ListZipFiles(download_path);
    if (!names) return fail(http, kExtractError);
    // An archive never writes over the installation's records or its journal (nor the mark that
    // says the installation is being reinstalled).
    if (find_record_member(*names)) return fail(http, kRecordMemberError);
    if (members) {
      members->clear();
      for (const std::string& name : *names) {
        if (InstalledPath(install_dir, name)) members->push_back(name);
      }
    }
    if (!ExtractArchive(download_path, install_dir, cancel)) {
      const bool cancelled = cancel != nullptr && cancel->load();
      return fail(http, cancelled ? kCancelledError : kExtractError);
    }
    const std::string digest =
        file.checksum_sha256.empty() && placed_digest == nullptr ? std::string() : Sha256File(target);
    if (!file.checksum_sha256.empty() && digest != file.checksum_sha256) {
      return fail(http, kChecksumError);
    }
    if (placed_digest != nullptr) *placed_digest = digest;
  } else {
    const bool existed = path_exists(target);
    // Across volumes the move is a copy that takes a while: the gate keeps the program from
    // ending in the middle of it.
    std::unique_lock<std::mutex> writing;
    if (gate != nullptr) {
      writing = std::unique_lock<std::mutex>(gate->mutex);
      if (gate->closed) return fail(http, kCancelledError);
    }
    pause_point("placing");
    if (!place_file(download_path, target)) {
      return fail(http, existed ? kReplaceError : kPlaceError);
    }
    if (placed_digest != nullptr) *placed_digest = download.digest;
  }

  DeleteFileW(download_path.c_str());
  return true;
}

bool FetchPackage(const ReleaseFile& file, size_t position, const std::wstring& install_dir,
                  HttpClient& http, const std::atomic<bool>* cancel,
                  std::vector<std::string>* members, WriteGate* gate) {
  if (!InstalledPath(install_dir, file.file_path)) return fail(http, kInvalidFilePathError);
  const std::wstring temp_dir = install_temp_dir();
  const std::optional<DownloadedPackage> download =
      DownloadPackage(file, temp_dir.empty() ? temp_dir : install_download_path(temp_dir, position), http);
  return download && PlacePackage(file, *download, install_dir, http, cancel, members, gate);
}
