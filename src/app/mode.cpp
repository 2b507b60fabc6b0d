#include "app/mode.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kUpdateSwitch = L"--update";
constexpr std::wstring_view kCheckSwitch = L"--check";
constexpr std::wstring_view kUninstallSwitch = L"--uninstall";
constexpr std::wstring_view kQuietSwitch = L"--quiet";
constexpr std::wstring_view kScheduledSwitch = L"--scheduled";
constexpr std::wstring_view kNoShortcutsSwitch = L"--no-shortcuts";
constexpr std::wstring_view kDirSwitch = L"--dir";

bool is_blank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// One argument and where its text lies in the command line, [begin, end).
struct ArgumentSpan {
  std::wstring text;
  size_t begin = 0;
  size_t end = 0;
};

std::vector<ArgumentSpan> argument_spans(std::wstring_view line) {
  std::vector<ArgumentSpan> arguments;
  size_t i = 0;
  while (true) {
    while (i < line.size() && is_blank(line[i])) ++i;
    if (i >= line.size()) return arguments;
    const size_t begin = i;
    std::wstring argument;
    bool quoted = false;
    for (; i < line.size() && (quoted || !is_blank(line[i])); ++i) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == L'\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == L'"') {
        argument.append(backslashes / 2, L'\\');
        if (backslashes % 2 == 1) {
          argument += L'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
          argument += L'"';
          ++i;
        } else {
          quoted = !quoted;
        }
      } else {
        argument.append(backslashes, L'\\');
        if (i >= line.size()) break;
        if (!quoted && is_blank(line[i])) break;
        argument += line[i];
      }
    }
    arguments.push_back({std::move(argument), begin, std::min(i, line.size())});
  }
}

// The command line without the value of each --dir: a folder named "D:\Apps--update" is a
// folder, not a switch.
std::wstring without_directories(std::wstring_view line, const std::vector<ArgumentSpan>& spans) {
  std::wstring kept;
  size_t from = 0;
  for (size_t i = 0; i + 1 < spans.size(); ++i) {
    if (spans[i].text != kDirSwitch) continue;
    kept.append(line.substr(from, spans[i + 1].begin - from));
    from = spans[i + 1].end;
  }
  return kept.append(line.substr(from));
}

}  // namespace

std::vector<std::wstring> split_arguments(std::wstring_view line) {
  std::vector<std::wstring> arguments;
  for (ArgumentSpan& span : argument_spans(line)) arguments.push_back(std::move(span.text));
  return arguments;
}

RunMode select_mode(std::wstring_view command_line) {
  RunMode mode;
  const std::vector<ArgumentSpan> spans = argument_spans(command_line);
  const std::wstring switches = without_directories(command_line, spans);
  mode.update = switches.find(kUpdateSwitch) != std::wstring::npos;
  mode.check = switches.find(kCheckSwitch) != std::wstring::npos;
  // A line that selected update before keeps doing so.
  mode.uninstall = !mode.update && switches.find(kUninstallSwitch) != std::wstring::npos;
  mode.quiet = switches.find(kQuietSwitch) != std::wstring::npos;
  const std::vector<std::wstring> arguments = split_arguments(command_line);
  const auto has = [&](std::wstring_view name) {
    return std::find(arguments.begin(), arguments.end(), name) != arguments.end();
  };
  mode.silent = has(kQuietSwitch);
  mode.scheduled = has(kScheduledSwitch);
  mode.no_shortcuts = has(kNoShortcutsSwitch);
  const auto dir = std::find(arguments.begin(), arguments.end(), kDirSwitch);
  if (dir != arguments.end()) mode.dir = dir + 1 != arguments.end() ? *(dir + 1) : std::wstring();
  return mode;
}
