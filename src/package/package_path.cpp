#include "package/package_path.h"

#include "base/utf8.h"

namespace {

bool is_separator(char16_t c) {
  return c == u'\\' || c == u'/';
}

// Windows drops trailing dots and spaces from a path element, so "..", ".. " and "..." may all
// name the parent. Any element made only of dots and spaces is refused, but for a lone ".".
bool is_parent_element(std::u16string_view element) {
  if (element.empty() || element == u".") return false;
  return element.find_first_not_of(u". ") == std::u16string_view::npos;
}

}  // namespace

std::optional<std::u16string> safe_relative_path(std::string_view file_path) {
  std::optional<std::u16string> path = decode_utf8(file_path);
  if (!path || path->empty() || is_separator(path->front())) return std::nullopt;
  size_t element_start = 0;
  for (size_t i = 0; i <= path->size(); ++i) {
    if (i == path->size() || is_separator((*path)[i])) {
      const std::u16string_view element(path->data() + element_start, i - element_start);
      if (is_parent_element(element)) return std::nullopt;
      element_start = i + 1;
      continue;
    }
    const char16_t c = (*path)[i];
    if (c == u':' || c < 0x20) return std::nullopt;
  }
  return path;
}
