#include "ui/progress_reporter.h"

#include <algorithm>

#include "base/wide.h"

namespace {

constexpr const wchar_t* kBytesGap = L"  ";

}  // namespace

ProgressReporter::ProgressReporter(WindowModel& window, const std::vector<int64_t>& sizes,
                                   int32_t from, int32_t to)
    : window_(window), progress_(sizes, from, to), bytes_(sizes.size()) {}

void ProgressReporter::show_bar(int32_t percent) {
  // Two threads report: the bar takes only values past the one it shows.
  if (percent <= shown_) return;
  shown_ = percent;
  window_.SetProgress(percent);
}

std::wstring ProgressReporter::line_with_bytes() const {
  if (current_ >= bytes_.size() || !bytes_[current_].known) return line_;
  const std::u16string text = byte_count_text(bytes_[current_].received, bytes_[current_].expected);
  return line_ + kBytesGap + to_wide(text);
}

void ProgressReporter::begin_package(size_t package, const std::wstring& line, int32_t at_least) {
  const std::lock_guard lock(mutex_);
  current_ = package;
  line_ = line;
  show_bar(std::max(at_least, progress_.percent(current_)));
  // The package's own line first; the bytes its download (which may have begun while the
  // package before was put in place) already has follow it.
  window_.SetStatus(line_);
  if (package < bytes_.size() && bytes_[package].known) window_.SetStatus(line_with_bytes());
  last_line_ = std::chrono::steady_clock::now();
}

void ProgressReporter::downloaded(size_t package, uint64_t received, uint64_t expected) {
  const std::lock_guard lock(mutex_);
  progress_.downloaded(package, received, expected);
  show_bar(progress_.percent(current_));
  if (package >= bytes_.size()) return;
  bytes_[package] = {received, expected, true};
  if (package != current_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_line_ < kStatusBytesInterval && received != expected) return;
  last_line_ = now;
  window_.SetStatus(line_with_bytes());
}

void ProgressReporter::placed(size_t package) {
  const std::lock_guard lock(mutex_);
  progress_.placed(package);
  show_bar(progress_.percent(current_));
}
