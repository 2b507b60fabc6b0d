// Bringing one package of a release into the installation directory.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "base/write_gate.h"
#include "net/http_client.h"
#include "net/release.h"
#include "package/package_failure.h"

inline constexpr const wchar_t* kInstallTempFolderName = L"orvane-install";

// The install's temporary folder: the platform's temporary directory + "orvane-install"; empty
// when the platform has no temporary directory.
std::wstring install_temp_dir();

// Where the download of the package at `position` (0-based) is kept:
// <temp>\orvane-install\<position>.zip. Named by position, never by file_path, so that tar's
// command line holds only characters every code page has.
std::wstring install_download_path(const std::wstring& temp_dir, size_t position);

// A package downloaded into the temporary folder and checked against zip_checksum; a plain
// file also against checksum_sha256 (the same bytes).
struct DownloadedPackage {
  std::wstring path;
  std::string digest;  // of the downloaded bytes, lowercase hex
};

// Downloads `file` to `path` (its folder is made); `progress` sees its bytes; a body longer
// than a file_size above 0 fails as it passes it. A file_path that could leave an installation,
// or is not UTF-8, is refused before any download.
PackageOutcome<DownloadedPackage> DownloadPackage(const ReleaseFile& file, const std::wstring& path,
                                                  HttpClient& http, DownloadProgress progress = {});

// What a package put in place: the files an archive placed (its safe file names, as stored),
// and the digest of the file at file_path as placed (a zip's is computed once, for the check and
// for the caller's records).
struct PlacedPackage {
  std::vector<std::string> members;
  std::string digest;
};

// Puts a downloaded package into install_dir: a plain file replaces whatever is at its place;
// an archive is extracted over what is there (refused first when it holds a record of the
// installation) and the file at file_path is checked. Empty checksums are not checked;
// comparisons are exact (lowercase hex). The download is deleted on success. A set `cancel`
// stops an extraction under way (Cancelled). `gate`, when given, is held while a plain file is
// moved into place; a closed gate stops the package there (Cancelled).
PackageOutcome<PlacedPackage> PlacePackage(const ReleaseFile& file,
                                           const DownloadedPackage& download,
                                           const std::wstring& install_dir,
                                           const std::atomic<bool>* cancel = nullptr,
                                           WriteGate* gate = nullptr);

// DownloadPackage, then PlacePackage.
PackageOutcome<PlacedPackage> FetchPackage(const ReleaseFile& file, size_t position,
                                           const std::wstring& install_dir, HttpClient& http);
