// Bringing one package of a release into the installation directory.
#pragma once

#include <string>

#include "net/http_client.h"
#include "net/release.h"

inline constexpr const wchar_t* kInstallTempFolderName = L"orvane-install";

// Texts the step leaves in the client's last_error when it refuses to go on before or between
// transfers, so the caller's message says why.
inline constexpr const char* kInvalidFilePathError = "invalid file path";
inline constexpr const char* kCannotCreateFolderError = "cannot create folder";

// The install's temporary folder: the platform's temporary directory + "orvane-install"; empty
// when the platform has no temporary directory.
std::wstring install_temp_dir();

// Where the download of `file` is kept: <temp>\orvane-install\<file_path widened bytewise>.zip.
std::wstring install_download_path(const std::wstring& temp_dir, const ReleaseFile& file);

// Downloads `file` into the temporary folder, checks zip_checksum, moves it (plain) or extracts
// it (compressed) into install_dir, checks checksum_sha256 on the installed file, deletes the
// download. Empty checksums are not checked; comparisons are exact (lowercase hex).
// A file_path that could leave install_dir, or is not UTF-8, is refused before any download.
// False on any failure; on a digest or extraction failure the download stays for inspection.
bool FetchPackage(const ReleaseFile& file, const std::wstring& install_dir, HttpClient& http);
