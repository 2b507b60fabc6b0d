// One package downloading on a thread of its own, so that the run can put the package before it
// in place meanwhile. Only the package queue starts them.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "net/http_client.h"
#include "package/fetch_package.h"

class PackageDownload {
 public:
  // Starts DownloadPackage(file, path) with a client of its own that stops when `cancel` is
  // set or this object goes. Where no thread can be started, wait() downloads.
  PackageDownload(const ReleaseFile& file, std::wstring path, const std::atomic<bool>& cancel,
                  DownloadProgress progress);
  PackageDownload(const PackageDownload&) = delete;
  PackageDownload& operator=(const PackageDownload&) = delete;
  // Stops a download still under way and waits for its thread; what arrived stays for the
  // caller's clean-up of the temporary folder.
  ~PackageDownload();

  // Waits for the end: the download, or why not.
  PackageOutcome<DownloadedPackage> wait();

 private:
  void run();

  ReleaseFile file_;
  std::wstring path_;
  const std::atomic<bool>& cancel_;
  DownloadProgress progress_;
  std::atomic<bool> stop_{false};
  std::optional<PackageOutcome<DownloadedPackage>> result_;
  std::thread thread_;
};
