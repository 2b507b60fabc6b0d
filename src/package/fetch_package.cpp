#include "package/fetch_package.h"

#include <windows.h>

#include <optional>

#include "base/file_system.h"
#include "base/wide.h"
#include "package/extract_archive.h"
#include "package/package_path.h"
#include "package/sha256_file.h"

namespace {

constexpr const wchar_t* kDownloadSuffix = L".zip";

}  // namespace

std::wstring install_temp_dir() {
  const std::wstring root = temp_root();
  if (root.empty()) return {};
  return root + kInstallTempFolderName;
}

std::wstring install_download_path(const std::wstring& temp_dir, const ReleaseFile& file) {
  return temp_dir + L'\\' + widen_bytes_w(file.file_path) + kDownloadSuffix;
}

bool FetchPackage(const ReleaseFile& file, const std::wstring& install_dir, HttpClient& http) {
  const std::optional<std::u16string> relative = safe_relative_path(file.file_path);
  if (!relative) {
    http.set_last_error(kInvalidFilePathError);
    return false;
  }
  const std::wstring temp_dir = install_temp_dir();
  const std::wstring download_path = install_download_path(temp_dir, file);
  if (temp_dir.empty() || !create_parent_directories(download_path)) {
    http.set_last_error(kCannotCreateFolderError);
    return false;
  }

  if (!http.download(file.download_url, download_path, DownloadProgress{})) return false;
  if (!DigestMatches(file.zip_checksum, download_path)) return false;

  const std::wstring target = join_path(install_dir, to_wide(*relative));
  if (!create_parent_directories(target)) {
    http.set_last_error(kCannotCreateFolderError);
    return false;
  }
  if (file.compressed) {
    if (!ExtractArchive(download_path, install_dir)) return false;
  } else {
    // Never replaces: a file already in place stays and is judged by its digest below.
    MoveFileW(download_path.c_str(), target.c_str());
  }
  if (!DigestMatches(file.checksum_sha256, target)) return false;

  DeleteFileW(download_path.c_str());
  return true;
}
