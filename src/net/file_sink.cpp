#include "net/file_sink.h"

#include <system_error>
#include <utility>

FileSink::FileSink(HANDLE file) : file_(file), hash_(std::in_place) {
  filling_.reserve(kSinkBatch);
  // The standard library reports a thread it cannot start by throwing; then batches are
  // written as they fill, on the caller's thread.
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
  }
}

FileSink::~FileSink() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool FileSink::write_batch(const std::vector<char>& batch) {
  // A batch never holds more than kSinkBatch bytes: one call writes it.
  const auto size = static_cast<DWORD>(batch.size());
  DWORD written = 0;
  return WriteFile(file_, batch.data(), size, &written, nullptr) && written == size &&
         hash_->add(batch.data(), batch.size());
}

void FileSink::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
    if (queued_.empty()) return;
    std::vector<char> batch = std::move(queued_.front());
    queued_.pop_front();
    writing_ = true;
    const bool skip = failed_;
    lock.unlock();
    const bool ok = skip || write_batch(batch);
    lock.lock();
    failed_ = failed_ || !ok;
    writing_ = false;
    batch.clear();
    spare_.push_back(std::move(batch));
    changed_.notify_all();
  }
}

void FileSink::hand_over() {
  if (filling_.empty()) return;
  if (!thread_.joinable()) {
    failed_ = failed_ || !write_batch(filling_);
    filling_.clear();
    return;
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queued_.size() < kSinkBatches; });
  queued_.push_back(std::move(filling_));
  if (spare_.empty()) {
    filling_ = std::vector<char>();
    filling_.reserve(kSinkBatch);
  } else {
    filling_ = std::move(spare_.back());
    spare_.pop_back();
  }
  lock.unlock();
  changed_.notify_all();
}

bool FileSink::write(const char* data, size_t size) {
  while (size > 0) {
    const size_t room = kSinkBatch - filling_.size();
    const size_t piece = size < room ? size : room;
    filling_.insert(filling_.end(), data, data + piece);
    data += piece;
    size -= piece;
    if (filling_.size() == kSinkBatch) hand_over();
  }
  const std::lock_guard lock(mutex_);
  return !failed_;
}

bool FileSink::flush() {
  hand_over();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queued_.empty() && !writing_; });
  return !failed_;
}

bool FileSink::restart() {
  if (!flush()) return false;
  const std::lock_guard lock(mutex_);
  LARGE_INTEGER start{};
  hash_.emplace();
  return SetFilePointerEx(file_, start, nullptr, FILE_BEGIN) && SetEndOfFile(file_);
}

std::optional<Sha256Digest> FileSink::digest() {
  const std::lock_guard lock(mutex_);
  if (failed_) return std::nullopt;
  return hash_->finish();
}
