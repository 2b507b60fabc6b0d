#include "package/package_queue.h"

#include <utility>

PackageQueue::PackageQueue(size_t count, std::function<QueuedFile(size_t)> plan,
                           const std::atomic<bool>& cancel, QueueProgress progress)
    : count_(count), plan_(std::move(plan)), cancel_(cancel), progress_(std::move(progress)) {
  if (count_ > 0) {
    const QueuedFile first = plan_(0);
    ahead_has_fallback_ = first.has_fallback;
    ahead_ = start(0, first);
  }
}

PackageQueue::~PackageQueue() {
  stop();
}

std::unique_ptr<PackageDownload> PackageQueue::start(size_t index, const QueuedFile& file) {
  return std::make_unique<PackageDownload>(
      file.file, file.path, cancel_,
      [progress = progress_, index](uint64_t received, uint64_t expected) {
        if (progress) progress(index, received, expected);
      });
}

PackageOutcome<DownloadedPackage> PackageQueue::take(size_t index) {
  if (!ahead_) return PackageError{PackageFailure::Cancelled, {}};
  PackageOutcome<DownloadedPackage> taken = ahead_->wait();
  const bool has_fallback = ahead_has_fallback_;
  ahead_.reset();
  // A run that ends here needs nothing more downloaded; one that goes on gets the next at once.
  if (!cancel_.load() && index + 1 < count_ && (taken || has_fallback)) {
    const QueuedFile next = plan_(index + 1);
    ahead_has_fallback_ = next.has_fallback;
    ahead_ = start(index + 1, next);
  }
  return taken;
}

PackageOutcome<DownloadedPackage> PackageQueue::fetch_now(size_t index, const QueuedFile& file) {
  return start(index, file)->wait();
}

void PackageQueue::stop() {
  ahead_.reset();
}
