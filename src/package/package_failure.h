// Why a package did not reach its place, as every step of the package layer says it, and what
// the install and the update tell a person of it: one table, so that code compares kinds and
// never texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/exit_code.h"

enum class PackageFailure {
  InvalidPath,         // file_path could leave the installation, or is not UTF-8
  ConflictingPath,     // file_path names a file another package (or a record) names
  CannotCreateFolder,  // a folder on the way to the package's place could not be made
  Transfer,            // the download failed: the client's text says how
  DownloadDigest,      // the downloaded bytes are not zip_checksum
  FileDigest,          // the file at file_path is not checksum_sha256
  UnreadableArchive,   // the archive's directory could not be read
  RecordMember,        // the archive holds one of the installation's records
  Extract,             // the archive could not be unpacked
  Replace,             // a file at the place could not be replaced
  Place,               // the file could not be moved into its place (or into staging)
  Flush,               // a staged file's bytes could not be made to reach the disk
  Cancelled,           // the run was asked to stop
};

struct PackageError {
  PackageFailure kind = PackageFailure::Transfer;
  std::string transfer;  // Transfer: the client's text ("HTTP 404", "incomplete download", ...)
};

// What a step brings about, or why it did not.
template <typename T>
struct PackageOutcome {
  std::optional<T> value;
  PackageError error;

  PackageOutcome(T done) : value(std::move(done)) {}  // NOLINT: a step's result converts
  PackageOutcome(PackageError failed) : error(std::move(failed)) {}  // NOLINT
  explicit operator bool() const { return value.has_value(); }
};

// The English reason a failure stands for: the second line of an install's failure text, and
// what the probe reports.
std::string failure_reason(const PackageError& error);

// What a run ends with for a package that failed: the window's text and the silent run's code.
struct FailureReport {
  std::wstring text;
  ExitCode code = ExitCode::Failed;
};

// Where in an install the package failed: a refusal before anything is fetched, its download,
// or putting it in place.
enum class InstallStep { Refusal, Download, Place };

// "下载失败: <path>\n<reason>".
FailureReport install_failure(const PackageError& error, std::string_view file_path,
                              InstallStep step);

// Where in an update the package failed: a refusal before anything is fetched, its download
// (a package's, or the package after its delta failed), or its staging.
enum class UpdateStep { Refusal, Download, Stage };

// "下载失败: <path>", "校验失败: <path>", "文件校验失败: <path>", "解压失败: <path>" or
// "替换文件失败: <path>", by kind and step.
FailureReport update_failure(const PackageError& error, std::string_view file_path,
                             UpdateStep step);
