// Bridges between the portable UTF-16 text (std::u16string) and Windows' wide strings.
#pragma once

#include <string>
#include <string_view>

#include "base/utf8.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

inline std::wstring to_wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}
inline std::u16string to_u16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

inline std::wstring widen_bytes_w(std::string_view bytes) {
  return to_wide(widen_bytes(bytes));
}
inline std::string wide_to_utf8(std::wstring_view text) {
  return encode_utf8(to_u16(text));
}

// Service bytes as the window shows them: UTF-8 decoded, else widened byte by byte.
inline std::wstring display_wide(std::string_view bytes) {
  return to_wide(display_text(bytes));
}
