#include "ui/byte_progress.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

constexpr double kBytesPerMb = 1024.0 * 1024.0;
constexpr uint64_t kUnknownWhole = ~uint64_t{0};

std::u16string megabytes(uint64_t bytes) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%.1f", static_cast<double>(bytes) / kBytesPerMb);
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

}  // namespace

ByteProgress::ByteProgress(const std::vector<int64_t>& sizes, int32_t from, int32_t to)
    : packages_(sizes.size()), from_(from), to_(to) {
  int64_t sum = 0;
  bool overflow = false;
  for (const int64_t size : sizes) {
    const int64_t counted = std::max<int64_t>(size, 0);
    overflow = overflow || counted > INT64_MAX - sum;
    if (!overflow) sum += counted;
  }
  const bool alike = sum == 0 || overflow;
  for (size_t i = 0; i < sizes.size(); ++i) {
    packages_[i].size = static_cast<double>(std::max<int64_t>(sizes[i], 0));
    packages_[i].weight = alike ? 1.0 : packages_[i].size;
    total_weight_ += packages_[i].weight;
  }
}

void ByteProgress::downloaded(size_t package, uint64_t received, uint64_t expected) {
  if (package >= packages_.size()) return;
  Package& entry = packages_[package];
  double fraction = 0;
  if (expected != kUnknownWhole && expected > 0) {
    fraction = static_cast<double>(received) / static_cast<double>(expected);
  } else if (entry.size > 0) {
    fraction = static_cast<double>(received) / entry.size;
  }
  entry.downloaded = std::clamp(fraction, 0.0, 1.0);
}

void ByteProgress::placed(size_t package) {
  if (package >= packages_.size()) return;
  packages_[package].downloaded = 1.0;
  packages_[package].placed = true;
}

int32_t ByteProgress::percent(size_t current) const {
  if (total_weight_ <= 0) return from_;
  double done = 0;
  for (const Package& entry : packages_) {
    done += entry.weight * (entry.downloaded + (entry.placed ? 1.0 : 0.0));
  }
  const double share = std::clamp(done / (2 * total_weight_), 0.0, 1.0);
  const auto span = static_cast<int64_t>(to_ - from_);
  const auto whole = static_cast<int32_t>(share * static_cast<double>(span));
  if (current >= packages_.size()) return from_ + whole;
  const auto count = static_cast<int64_t>(packages_.size());
  const Package& entry = packages_[current];
  const double inside = (entry.downloaded + (entry.placed ? 1.0 : 0.0)) / 2;
  // The package's own start is the count's value exactly, as the run shows it.
  const int64_t start = span * static_cast<int64_t>(current) / count;
  const int64_t end = span * static_cast<int64_t>(current + 1) / count;
  const auto sliced = static_cast<int32_t>(start + static_cast<int64_t>(inside * static_cast<double>(end - start)));
  return from_ + std::max(whole, sliced);
}

std::u16string without_byte_count(const std::u16string& line) {
  constexpr std::u16string_view kGap = u"  ";
  constexpr std::u16string_view kUnit = u" MB";
  const size_t gap = line.rfind(kGap);
  if (gap == std::u16string::npos || line.size() < gap + kGap.size() + kUnit.size() ||
      line.compare(line.size() - kUnit.size(), kUnit.size(), kUnit) != 0) {
    return line;
  }
  const std::u16string_view count(line.data() + gap + kGap.size(),
                                  line.size() - gap - kGap.size() - kUnit.size());
  const bool numbers = !count.empty() && std::all_of(count.begin(), count.end(), [](char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'/' || c == u' ';
  });
  return numbers ? line.substr(0, gap) : line;
}

std::u16string byte_count_text(uint64_t received, uint64_t expected) {
  if (expected == kUnknownWhole) return megabytes(received) + u" MB";
  return megabytes(received) + u" / " + megabytes(expected) + u" MB";
}
