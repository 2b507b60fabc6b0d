#include "state/update_marker_text.h"

namespace {

constexpr std::string_view kHeader = "orvane-update 2";
constexpr std::string_view kUntrusted = "untrusted";
constexpr std::string_view kReplaced = "replaced";
constexpr std::string_view kAdded = "added";
constexpr char kFieldSeparator = '\t';

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::string update_marker_text(const UpdateMarker& marker) {
  std::string text(kHeader);
  text += '\n';
  if (marker.untrusted) {
    text += kUntrusted;
    text += '\n';
  }
  for (const MarkerEntry& entry : marker.entries) {
    text += entry.kind == MarkerEntryKind::Added ? kAdded : kReplaced;
    text += kFieldSeparator;
    text += entry.file_path;
    text += '\n';
  }
  return text;
}

UpdateMarker parse_update_marker(std::string_view text) {
  UpdateMarker marker;
  std::vector<std::string_view> lines = lines_of(text);
  const bool current = !lines.empty() && lines.front() == kHeader;
  if (!current) {
    // The earlier format: paths the update was about to replace, and no records among them.
    marker.untrusted = true;
    for (std::string_view line : lines) {
      marker.entries.push_back({MarkerEntryKind::Replaced, std::string(line)});
    }
    return marker;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line == kUntrusted) {
      marker.untrusted = true;
      continue;
    }
    const size_t tab = line.find(kFieldSeparator);
    if (tab == std::string_view::npos) continue;
    const std::string_view kind = line.substr(0, tab);
    const std::string path(line.substr(tab + 1));
    if (kind == kReplaced) marker.entries.push_back({MarkerEntryKind::Replaced, path});
    if (kind == kAdded) marker.entries.push_back({MarkerEntryKind::Added, path});
  }
  return marker;
}
