#include "package/package_download.h"

#include <system_error>
#include <utility>

PackageDownload::PackageDownload(const ReleaseFile& file, std::wstring path,
                                 const std::atomic<bool>& cancel, DownloadProgress progress)
    : file_(file), path_(std::move(path)), cancel_(cancel), progress_(std::move(progress)) {
  // The standard library reports a thread it cannot start by throwing; then wait() downloads.
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
  }
}

PackageDownload::~PackageDownload() {
  stop_.store(true);
  if (thread_.joinable()) thread_.join();
}

void PackageDownload::run() {
  HttpClient http;
  http.set_cancel_flag(&cancel_, &stop_);
  result_ = DownloadPackage(file_, path_, http, progress_);
}

PackageOutcome<DownloadedPackage> PackageDownload::wait() {
  if (thread_.joinable()) thread_.join();
  if (!result_) run();
  return *result_;
}
