#include "package/package_failure.h"

#include "base/wide.h"

namespace {

constexpr const wchar_t* kDownloadFailed = L"下载失败: ";
constexpr const wchar_t* kDigestFailed = L"校验失败: ";
constexpr const wchar_t* kFileDigestFailed = L"文件校验失败: ";
constexpr const wchar_t* kExtractFailed = L"解压失败: ";
constexpr const wchar_t* kReplaceFailed = L"替换文件失败: ";

// Failures that say the release's bytes are wrong, not the folder: an install's exit 3 when it
// meets them while putting a package in place (every other one there is the folder's, 4).
bool bad_bytes(PackageFailure kind) {
  return kind == PackageFailure::FileDigest || kind == PackageFailure::DownloadDigest ||
         kind == PackageFailure::RecordMember;
}

}  // namespace

std::string failure_reason(const PackageError& error) {
  switch (error.kind) {
    case PackageFailure::InvalidPath: return "invalid file path";
    case PackageFailure::ConflictingPath: return "conflicting file path";
    case PackageFailure::CannotCreateFolder: return "cannot create folder";
    case PackageFailure::Transfer: return error.transfer;
    case PackageFailure::DownloadDigest: return "download checksum mismatch";
    case PackageFailure::FileDigest: return "checksum mismatch";
    case PackageFailure::UnreadableArchive:
    case PackageFailure::Extract: return "archive could not be extracted";
    case PackageFailure::RecordMember: return "archive holds a record of the installation";
    case PackageFailure::Replace: return "cannot replace existing file";
    case PackageFailure::Place: return "cannot move file into place";
    case PackageFailure::Flush: return "cannot write output file";
    case PackageFailure::Cancelled: return "cancelled";
  }
  return {};
}

FailureReport install_failure(const PackageError& error, std::string_view file_path,
                              InstallStep step) {
  const std::wstring text =
      kDownloadFailed + display_wide(file_path) + L"\n" + display_wide(failure_reason(error));
  switch (step) {
    case InstallStep::Refusal: return {text, ExitCode::ServiceUnavailable};
    case InstallStep::Download: return {text, ExitCode::PackageFailed};
    case InstallStep::Place:
      return {text, bad_bytes(error.kind) ? ExitCode::PackageFailed : ExitCode::FolderNotWritable};
  }
  return {text, ExitCode::Failed};
}

FailureReport update_failure(const PackageError& error, std::string_view file_path,
                             UpdateStep step) {
  const std::wstring path = display_wide(file_path);
  if (step == UpdateStep::Refusal) return {kDownloadFailed + path, ExitCode::ServiceUnavailable};
  if (step == UpdateStep::Download) {
    // A digest that differs is named as such; every other failure of a download is one.
    if (error.kind == PackageFailure::DownloadDigest)
      return {kDigestFailed + path, ExitCode::PackageFailed};
    if (error.kind == PackageFailure::FileDigest)
      return {kFileDigestFailed + path, ExitCode::PackageFailed};
    return {kDownloadFailed + path, ExitCode::PackageFailed};
  }
  switch (error.kind) {
    case PackageFailure::InvalidPath: return {kDownloadFailed + path, ExitCode::ServiceUnavailable};
    case PackageFailure::UnreadableArchive:
    case PackageFailure::RecordMember: return {kExtractFailed + path, ExitCode::PackageFailed};
    case PackageFailure::FileDigest: return {kFileDigestFailed + path, ExitCode::PackageFailed};
    case PackageFailure::Place: return {kFileDigestFailed + path, ExitCode::FolderNotWritable};
    case PackageFailure::Flush: return {kReplaceFailed + path, ExitCode::FolderNotWritable};
    default: return {kExtractFailed + path, ExitCode::FolderNotWritable};
  }
}
