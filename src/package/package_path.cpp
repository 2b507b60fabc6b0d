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

// Windows drops a trailing dot or space of an element when it opens the file: "x.bin." is
// "x.bin", and its backup "x.bin..bak" would be "x.bin.bak", another file's name.
bool is_trimmed_element(std::u16string_view element) {
  return !element.empty() && element != u"." && (element.back() == u'.' || element.back() == u' ');
}

char16_t upper_ascii(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Windows opens a device, wherever it stands in a path, for an element whose name before the
// first dot (trailing spaces dropped) is one of these: "COM1.pak" is the serial port.
bool is_device_element(std::u16string_view element) {
  std::u16string_view base = element.substr(0, element.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  std::u16string name;
  for (char16_t c : base) name += upper_ascii(c);
  for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
    if (name == device) return true;
  }
  if (name.size() != 4 || (name.compare(0, 3, u"COM") != 0 && name.compare(0, 3, u"LPT") != 0)) {
    return false;
  }
  const char16_t digit = name[3];
  // The superscript digits count too.
  return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
         digit == u'\u00B3';
}

}  // namespace

std::optional<std::u16string> safe_relative_path(std::string_view file_path) {
  std::optional<std::u16string> path = decode_utf8(file_path);
  if (!path || path->empty() || is_separator(path->front())) return std::nullopt;
  size_t element_start = 0;
  for (size_t i = 0; i <= path->size(); ++i) {
    if (i == path->size() || is_separator((*path)[i])) {
      const std::u16string_view element(path->data() + element_start, i - element_start);
      if (is_parent_element(element) || is_device_element(element) || is_trimmed_element(element)) {
        return std::nullopt;
      }
      element_start = i + 1;
      continue;
    }
    const char16_t c = (*path)[i];
    if (c == u':' || c < 0x20) return std::nullopt;
  }
  return path;
}

std::u16string path_identity(std::u16string_view relative_path) {
  std::u16string identity;
  size_t element_start = 0;
  for (size_t i = 0; i <= relative_path.size(); ++i) {
    if (i < relative_path.size() && !is_separator(relative_path[i])) continue;
    std::u16string_view element = relative_path.substr(element_start, i - element_start);
    element_start = i + 1;
    while (!element.empty() && (element.back() == u'.' || element.back() == u' ')) {
      element.remove_suffix(1);
    }
    if (element.empty()) continue;  // "", "." (and what trailing dots reduce to nothing)
    if (!identity.empty()) identity += u'\\';
    for (char16_t c : element) identity += upper_ascii(c);
  }
  return identity;
}
