// The downloads of a run's packages, in order, the next one downloading while the caller puts
// the one before it in place: the one place packages are downloaded.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "package/fetch_package.h"
#include "package/package_download.h"

// What one package of the queue downloads, and where to.
struct QueuedFile {
  ReleaseFile file;   // the package, or a delta of it as a download
  std::wstring path;  // where its bytes go
  // Its failure need not end the run (a delta: the package itself is fetched instead), so the
  // next one starts downloading whatever its outcome.
  bool has_fallback = false;
};

// (package, bytes received, bytes expected), from the downloading threads.
using QueueProgress = std::function<void(size_t, uint64_t, uint64_t)>;

class PackageQueue {
 public:
  // Downloads plan(0), plan(1)... plan(count - 1); the first starts at once.
  PackageQueue(size_t count, std::function<QueuedFile(size_t)> plan,
               const std::atomic<bool>& cancel, QueueProgress progress);
  PackageQueue(const PackageQueue&) = delete;
  PackageQueue& operator=(const PackageQueue&) = delete;
  // Stops the download still under way (its bytes stay for the caller's clean-up).
  ~PackageQueue();

  // Package `index`'s download, taken in order from 0: waits for it, then starts the next one
  // unless this one failed and has no fallback.
  PackageOutcome<DownloadedPackage> take(size_t index);

  // Downloads `file` as package `index` now and waits for it: the package after its delta failed.
  PackageOutcome<DownloadedPackage> fetch_now(size_t index, const QueuedFile& file);

  // Stops the download ahead, before the caller removes the folder it writes into.
  void stop();

 private:
  std::unique_ptr<PackageDownload> start(size_t index, const QueuedFile& file);

  size_t count_;
  std::function<QueuedFile(size_t)> plan_;
  const std::atomic<bool>& cancel_;
  QueueProgress progress_;
  std::unique_ptr<PackageDownload> ahead_;
  bool ahead_has_fallback_ = false;
};
