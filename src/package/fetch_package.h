// Bringing one package of a release into the installation directory.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "base/write_gate.h"
#include "net/http_client.h"
#include "net/release.h"

inline constexpr const wchar_t* kInstallTempFolderName = L"orvane-install";

// Texts the step leaves in the client's last_error when it refuses to go on before or between
// transfers, so the caller's message says why.
inline constexpr const char* kInvalidFilePathError = "invalid file path";
inline constexpr const char* kCannotCreateFolderError = "cannot create folder";
inline constexpr const char* kDownloadChecksumError = "download checksum mismatch";
inline constexpr const char* kChecksumError = "checksum mismatch";
inline constexpr const char* kExtractError = "archive could not be extracted";
inline constexpr const char* kReplaceError = "cannot replace existing file";
inline constexpr const char* kPlaceError = "cannot move file into place";
inline constexpr const char* kCancelledError = "cancelled";

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
// than a file_size above 0 fails as it passes it. Nothing on failure, with the reason in the
// client's last_error. A file_path that could leave an
// installation, or is not UTF-8, is refused before any download.
std::optional<DownloadedPackage> DownloadPackage(const ReleaseFile& file, const std::wstring& path,
                                                 HttpClient& http,
                                                 DownloadProgress progress = {});

// Puts a downloaded package into install_dir: a plain file replaces whatever is at its place;
// an archive is extracted over what is there and the file at file_path is checked. Empty
// checksums are not checked; comparisons are exact (lowercase hex). The download is deleted on
// success. False on any failure, with the reason in the client's last_error; a set `cancel`
// stops an extraction under way ("cancelled").
// `members`, when given, gets the files an archive placed (its safe file names, as stored).
// `gate`, when given, is held while a plain file is moved into place; a closed gate stops the
// package there ("cancelled"). `placed_digest`, when given, gets the digest of the file at
// file_path as placed (a zip's is computed once, for the check and for the caller's records).
bool PlacePackage(const ReleaseFile& file, const DownloadedPackage& download,
                  const std::wstring& install_dir, HttpClient& http,
                  const std::atomic<bool>* cancel = nullptr,
                  std::vector<std::string>* members = nullptr, WriteGate* gate = nullptr,
                  std::string* placed_digest = nullptr);

// DownloadPackage, then PlacePackage.
bool FetchPackage(const ReleaseFile& file, size_t position, const std::wstring& install_dir,
                  HttpClient& http, const std::atomic<bool>* cancel = nullptr,
                  std::vector<std::string>* members = nullptr, WriteGate* gate = nullptr);
