// Splitting an http(s) URL into what WinHTTP needs. Portable: no platform headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct UrlParts {
  std::wstring host;
  std::wstring path;  // always begins with '/', query included
  int32_t port = 0;
  bool secure = false;
};

// Only "http://" and "https://" (exact case). The URL is widened byte by byte, so URLs are
// expected to be ASCII. The port text is read like a decimal integer conversion (leading
// whitespace and sign accepted, trailing text ignored) and must lie in 0..65535.
std::optional<UrlParts> parse_url(std::string_view url);
