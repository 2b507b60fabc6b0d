#include "state/update_marker_text.h"

namespace {

constexpr std::string_view kHeader = "orvane-update 2";
constexpr std::string_view kUntrusted = "untrusted";
constexpr std::string_view kCommitted = "committed";
constexpr std::string_view kReplaced = "replaced";
constexpr std::string_view kAdded = "added";
constexpr std::string_view kRemoved = "removed";
constexpr std::string_view kLeftover = "leftover";
constexpr char kFieldSeparator = '\t';

std::vector<std::string_view> split(std::string_view text, char separator, bool skip_empty) {
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t end = text.find(separator);
    std::string_view part = text.substr(0, end);
    if (separator == '\n' && !part.empty() && part.back() == '\r') part.remove_suffix(1);
    if (!skip_empty || !part.empty()) parts.push_back(part);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return parts;
}

// The fields each kind's line has, the kind's name first.
constexpr size_t kStepFields = 4;     // replaced, added: target, backup, incoming
constexpr size_t kRemovedFields = 3;  // target, backup
constexpr size_t kLeftoverFields = 2;

std::optional<MarkerEntry> parse_entry(std::string_view line) {
  const std::vector<std::string_view> fields = split(line, kFieldSeparator, false);
  const auto filled = [&fields](size_t i) { return i < fields.size() && !fields[i].empty(); };
  if (!filled(1)) return std::nullopt;
  MarkerEntry entry;
  entry.file_path = std::string(fields[1]);
  if (fields[0] == kReplaced && fields.size() == kStepFields && filled(2) && filled(3)) {
    return MarkerEntry{MarkerEntryKind::Replaced, entry.file_path, std::string(fields[2]),
                       std::string(fields[3])};
  }
  if (fields[0] == kAdded && fields.size() == kStepFields && !filled(2) && filled(3)) {
    return MarkerEntry{MarkerEntryKind::Added, entry.file_path, {}, std::string(fields[3])};
  }
  if (fields[0] == kRemoved && fields.size() == kRemovedFields && filled(2)) {
    return MarkerEntry{MarkerEntryKind::Removed, entry.file_path, std::string(fields[2]), {}};
  }
  if (fields[0] == kLeftover && fields.size() == kLeftoverFields) {
    return MarkerEntry{MarkerEntryKind::Leftover, entry.file_path, {}, {}};
  }
  return std::nullopt;
}

}  // namespace

std::string update_marker_line(const MarkerEntry& entry) {
  std::string text;
  switch (entry.kind) {
    case MarkerEntryKind::Replaced: text += kReplaced; break;
    case MarkerEntryKind::Added: text += kAdded; break;
    case MarkerEntryKind::Removed: text += kRemoved; break;
    case MarkerEntryKind::Leftover: text += kLeftover; break;
  }
  (text += kFieldSeparator) += entry.file_path;
  if (!entry.backup.empty() || !entry.incoming.empty()) (text += kFieldSeparator) += entry.backup;
  if (!entry.incoming.empty()) (text += kFieldSeparator) += entry.incoming;
  return text += '\n';
}

std::string update_marker_text(const UpdateMarker& marker) {
  std::string text(kHeader);
  text += '\n';
  if (marker.untrusted) (text += kUntrusted) += '\n';
  if (marker.committed) (text += kCommitted) += '\n';
  for (const MarkerEntry& entry : marker.entries) text += update_marker_line(entry);
  return text;
}

UpdateMarker parse_update_marker(std::string_view text) {
  UpdateMarker marker;
  std::vector<std::string_view> lines = split(text, '\n', true);
  const bool current = !lines.empty() && lines.front() == kHeader;
  if (current) {
    // What follows the last line feed is a line whose end never came: never acted on.
    const size_t last_feed = text.rfind('\n');
    const size_t whole = last_feed == std::string_view::npos ? 0 : last_feed + 1;
    if (whole < text.size()) marker.untrusted = true;
    lines = split(text.substr(0, whole), '\n', true);
  } else {
    // The earlier format: paths the update was about to replace, and no records among them.
    // Written whole, it has no line cut short.
    marker.untrusted = true;
    for (std::string_view line : lines) {
      const std::string path(line);
      marker.entries.push_back({MarkerEntryKind::Replaced, path, path + ".bak", {}});
    }
    return marker;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line == kUntrusted) {
      marker.untrusted = true;
    } else if (line == kCommitted) {
      marker.committed = true;
    } else if (const std::optional<MarkerEntry> entry = parse_entry(line)) {
      marker.entries.push_back(*entry);
    } else {
      marker.untrusted = true;  // a step nobody can put back: trust nothing installed
    }
  }
  return marker;
}
