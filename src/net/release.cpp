#include "net/release.h"

#include <cmath>
#include <limits>
#include <utility>

#include "json/json_parse.h"
#include "json/json_value.h"

namespace {

constexpr std::string_view kApiPath = "/api/v1/public/software/";
constexpr std::string_view kLatestQuery = "/latest?channel=";
// Past 2^53 a JSON number no longer holds every whole number.
constexpr double kMaxSequence = 9007199254740992.0;

// Truncation toward zero; values beyond the target's range end at its nearest limit.
template <typename Int>
Int truncate_number(double value) {
  if (std::isnan(value)) return 0;
  const double truncated = std::trunc(value);
  if (truncated <= static_cast<double>(std::numeric_limits<Int>::min())) {
    return std::numeric_limits<Int>::min();
  }
  // 2^63 is the first double above INT64_MAX, so compare with >= against the limit + 1.
  if (truncated >= -static_cast<double>(std::numeric_limits<Int>::min())) {
    return std::numeric_limits<Int>::max();
  }
  return static_cast<Int>(truncated);
}

// Deltas without a URL are dropped, as file entries are.
std::vector<ReleaseDelta> read_deltas(const JsonValue& entry) {
  std::vector<ReleaseDelta> deltas;
  const std::vector<JsonValue>* listed = entry.get_array("deltas");
  if (listed == nullptr) return deltas;
  for (const JsonValue& item : *listed) {
    if (item.kind != JsonKind::Object) continue;
    ReleaseDelta delta;
    delta.download_url = item.get_string("download_url").value_or("");
    if (delta.download_url.empty()) continue;
    delta.base_sha256 = item.get_string("base_sha256").value_or("");
    delta.file_size = truncate_number<int64_t>(item.get_number("file_size").value_or(0));
    delta.sha256 = item.get_string("sha256").value_or("");
    deltas.push_back(std::move(delta));
  }
  return deltas;
}

ReleaseFile read_file_entry(const JsonValue& entry) {
  ReleaseFile file;
  file.file_path = entry.get_string("file_path").value_or("");
  file.file_size = truncate_number<int64_t>(entry.get_number("file_size").value_or(0));
  file.checksum_sha256 = entry.get_string("checksum_sha256").value_or("");
  file.zip_checksum = entry.get_string("zip_checksum").value_or("");
  file.download_url = entry.get_string("download_url").value_or("");
  file.compressed = entry.get_bool("compressed").value_or(true);
  file.sort_order = truncate_number<int32_t>(entry.get_number("sort_order").value_or(0));
  file.deltas = read_deltas(entry);
  return file;
}

}  // namespace

std::string release_url(std::string_view base_url, std::string_view software_id,
                        std::string_view channel) {
  if (!base_url.empty() && base_url.back() == '/') base_url.remove_suffix(1);
  std::string url(base_url);
  url += kApiPath;
  url += software_id;
  url += kLatestQuery;
  url += channel;
  return url;
}

std::optional<ReleaseInfo> parse_release(std::string_view body) {
  const std::optional<JsonValue> document = json_parse(body);
  if (!document || document->kind != JsonKind::Object) return std::nullopt;

  ReleaseInfo release;
  release.version = document->get_string("version").value_or("");
  if (release.version.empty()) return std::nullopt;
  release.changelog = document->get_string("changelog").value_or("");
  release.channel = document->get_string("channel").value_or(std::string(kDefaultChannel));
  release.min_os_version = document->get_string("min_os_version").value_or("");
  release.expires = document->get_string("expires").value_or("");
  release.software_id = document->get_string("software_id").value_or("");
  if (const std::optional<double> sequence = document->get_number("sequence");
      sequence && *sequence >= 0 && *sequence <= kMaxSequence && std::trunc(*sequence) == *sequence) {
    release.sequence = static_cast<int64_t>(*sequence);
  }

  if (const std::vector<JsonValue>* files = document->get_array("files")) {
    for (const JsonValue& entry : *files) {
      if (entry.kind != JsonKind::Object) continue;
      ReleaseFile file = read_file_entry(entry);
      if (!file.file_path.empty() && !file.download_url.empty()) {
        release.files.push_back(std::move(file));
      }
    }
  }
  return release;
}

int64_t total_file_size(const ReleaseInfo& release) {
  int64_t total = 0;
  for (const ReleaseFile& file : release.files) {
    if (__builtin_add_overflow(total, file.file_size, &total)) {
      return file.file_size > 0 ? std::numeric_limits<int64_t>::max()
                                : std::numeric_limits<int64_t>::min();
    }
  }
  return total;
}
