#include "app/mode.h"

namespace {

constexpr std::wstring_view kUpdateSwitch = L"--update";
constexpr std::wstring_view kCheckSwitch = L"--check";

bool is_separator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// Length of the root at the start of `path`, with the separator after it: "C:\" 3 ("C:" 2),
// "\\server\" (the server name is the root), "\\?\" and "\\.\" 4, a lone "\" 1.
size_t root_length(std::wstring_view path) {
  const auto with_separator = [&path](size_t i) {
    return i < path.size() && is_separator(path[i]) ? i + 1 : i;
  };
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    if (path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') && is_separator(path[3])) return 4;
    size_t i = 2;
    while (i < path.size() && !is_separator(path[i])) ++i;
    return with_separator(i);
  }
  if (path.size() >= 2 && path[1] == L':') return with_separator(2);
  if (!path.empty() && is_separator(path[0])) return 1;
  return 0;
}

}  // namespace

RunMode select_mode(std::wstring_view command_line) {
  RunMode mode;
  mode.update = command_line.find(kUpdateSwitch) != std::wstring_view::npos;
  mode.check = command_line.find(kCheckSwitch) != std::wstring_view::npos;
  return mode;
}

std::wstring parent_directory(std::wstring_view path) {
  const size_t root = root_length(path);
  size_t end = path.size();
  while (end > root && !is_separator(path[end - 1])) --end;  // the last element
  while (end > root && is_separator(path[end - 1])) --end;   // the separators before it
  return std::wstring(path.substr(0, end));
}
