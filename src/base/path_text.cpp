#include "base/path_text.h"

namespace {

bool is_drive_letter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

bool is_path_separator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

size_t path_root_length(std::wstring_view path) {
  const auto with_separator = [&path](size_t i) {
    return i < path.size() && is_path_separator(path[i]) ? i + 1 : i;
  };
  if (path.size() >= 2 && is_path_separator(path[0]) && is_path_separator(path[1])) {
    if (path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') && is_path_separator(path[3])) {
      return 4;
    }
    size_t i = 2;
    while (i < path.size() && !is_path_separator(path[i])) ++i;
    return with_separator(i);
  }
  if (path.size() >= 2 && path[1] == L':') return with_separator(2);
  if (!path.empty() && is_path_separator(path[0])) return 1;
  return 0;
}

std::wstring parent_directory(std::wstring_view path) {
  const size_t root = path_root_length(path);
  size_t end = path.size();
  while (end > root && !is_path_separator(path[end - 1])) --end;  // the last element
  while (end > root && is_path_separator(path[end - 1])) --end;   // the separators before it
  return std::wstring(path.substr(0, end));
}

std::wstring join_path(std::wstring_view dir, std::wstring_view name) {
  if (dir.empty()) return std::wstring(name);
  while (!name.empty() && is_path_separator(name.front())) name.remove_prefix(1);
  std::wstring joined(dir);
  if (!is_path_separator(joined.back())) joined += L'\\';
  joined += name;
  return joined;
}

std::optional<std::wstring> full_directory(std::wstring_view typed) {
  // Explorer's "Copy as path" puts the path between double quotes.
  if (typed.size() >= 2 && typed.front() == L'"' && typed.back() == L'"') {
    typed = typed.substr(1, typed.size() - 2);
  }
  // Any other quote is no part of a path: what a command line's "D:\X\" leaves ("D:\X"").
  if (typed.find(L'"') != std::wstring_view::npos) return std::nullopt;
  constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
  const size_t prefix = typed.substr(0, kLongPrefix.size()) == kLongPrefix ? kLongPrefix.size() : 0;
  const std::wstring_view rest = typed.substr(prefix);
  const bool drive = rest.size() >= 3 && is_drive_letter(rest[0]) && rest[1] == L':' &&
                     is_path_separator(rest[2]);
  const bool unc = prefix == 0 && rest.size() >= 3 && is_path_separator(rest[0]) &&
                   is_path_separator(rest[1]) && rest[2] != L'?' && rest[2] != L'.' &&
                   !is_path_separator(rest[2]);
  if (!drive && !unc) return std::nullopt;
  const size_t root = prefix + path_root_length(rest);
  if (unc && root >= typed.size()) return std::nullopt;  // "\\server\" alone names no folder
  size_t end = typed.size();
  while (end > root && is_path_separator(typed[end - 1])) --end;
  // Windows drops a trailing space or dot of the last element when it makes the folder
  // ("D:\Orvane " is made as "D:\Orvane"): so does every path joined to it. Not in the
  // "\\?\" form, which takes names as they are, nor for an element of dots alone ("..").
  size_t element = end;
  while (element > root && !is_path_separator(typed[element - 1])) --element;
  const std::wstring_view last = typed.substr(element, end - element);
  if (prefix == 0 && last.find_first_not_of(L'.') != std::wstring_view::npos) {
    while (end > element && (typed[end - 1] == L' ' || typed[end - 1] == L'.')) --end;
    while (end > root && is_path_separator(typed[end - 1])) --end;
  }
  return std::wstring(typed.substr(0, end));
}
