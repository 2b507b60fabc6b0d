#include "journal/journal_text.h"

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

std::optional<JournalStep> parse_entry(std::string_view line) {
  const std::vector<std::string_view> fields = split(line, kFieldSeparator, false);
  const auto filled = [&fields](size_t i) { return i < fields.size() && !fields[i].empty(); };
  if (!filled(1)) return std::nullopt;
  JournalStep entry;
  entry.file_path = std::string(fields[1]);
  if (fields[0] == kReplaced && fields.size() == kStepFields && filled(2) && filled(3)) {
    return JournalStep{JournalStepKind::Replaced, entry.file_path, std::string(fields[2]),
                       std::string(fields[3])};
  }
  if (fields[0] == kAdded && fields.size() == kStepFields && !filled(2) && filled(3)) {
    return JournalStep{JournalStepKind::Added, entry.file_path, {}, std::string(fields[3])};
  }
  if (fields[0] == kRemoved && fields.size() == kRemovedFields && filled(2)) {
    return JournalStep{JournalStepKind::Removed, entry.file_path, std::string(fields[2]), {}};
  }
  if (fields[0] == kLeftover && fields.size() == kLeftoverFields) {
    return JournalStep{JournalStepKind::Leftover, entry.file_path, {}, {}};
  }
  return std::nullopt;
}

}  // namespace

std::string journal_line(const JournalStep& entry) {
  std::string text;
  switch (entry.kind) {
    case JournalStepKind::Replaced: text += kReplaced; break;
    case JournalStepKind::Added: text += kAdded; break;
    case JournalStepKind::Removed: text += kRemoved; break;
    case JournalStepKind::Leftover: text += kLeftover; break;
  }
  (text += kFieldSeparator) += entry.file_path;
  if (!entry.backup.empty() || !entry.incoming.empty()) (text += kFieldSeparator) += entry.backup;
  if (!entry.incoming.empty()) (text += kFieldSeparator) += entry.incoming;
  return text += '\n';
}

std::string journal_text(const JournalState& journal) {
  std::string text(kHeader);
  text += '\n';
  if (journal.untrusted) (text += kUntrusted) += '\n';
  if (journal.committed) (text += kCommitted) += '\n';
  for (const JournalStep& entry : journal.steps) text += journal_line(entry);
  return text;
}

JournalState parse_journal(std::string_view text) {
  JournalState journal;
  std::vector<std::string_view> lines = split(text, '\n', true);
  const bool current = !lines.empty() && lines.front() == kHeader;
  if (current) {
    // What follows the last line feed is a line whose end never came: never acted on.
    const size_t last_feed = text.rfind('\n');
    const size_t whole = last_feed == std::string_view::npos ? 0 : last_feed + 1;
    if (whole < text.size()) journal.untrusted = true;
    lines = split(text.substr(0, whole), '\n', true);
  } else {
    // The earlier format: paths the update was about to replace, and no records among them.
    // Written whole, it has no line cut short.
    journal.untrusted = true;
    for (std::string_view line : lines) {
      const std::string path(line);
      journal.steps.push_back({JournalStepKind::Replaced, path, path + ".bak", {}});
    }
    return journal;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line == kUntrusted) {
      journal.untrusted = true;
    } else if (line == kCommitted) {
      journal.committed = true;
    } else if (const std::optional<JournalStep> entry = parse_entry(line)) {
      journal.steps.push_back(*entry);
    } else {
      journal.untrusted = true;  // a step nobody can put back: trust nothing installed
    }
  }
  return journal;
}
