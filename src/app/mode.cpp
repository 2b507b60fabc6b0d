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

}  // namespace

std::vector<std::wstring> split_arguments(std::wstring_view line) {
  std::vector<std::wstring> arguments;
  size_t i = 0;
  while (true) {
    while (i < line.size() && is_blank(line[i])) ++i;
    if (i >= line.size()) return arguments;
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
    arguments.push_back(std::move(argument));
  }
}

RunMode select_mode(std::wstring_view command_line) {
  RunMode mode;
  mode.update = command_line.find(kUpdateSwitch) != std::wstring_view::npos;
  mode.check = command_line.find(kCheckSwitch) != std::wstring_view::npos;
  // A line that selected update before keeps doing so.
  mode.uninstall = !mode.update && command_line.find(kUninstallSwitch) != std::wstring_view::npos;
  mode.quiet = command_line.find(kQuietSwitch) != std::wstring_view::npos;
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
