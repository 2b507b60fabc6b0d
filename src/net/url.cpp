#include "net/url.h"

#include <cstdint>

namespace {

constexpr std::string_view kHttpsScheme = "https://";
constexpr std::string_view kHttpScheme = "http://";
constexpr int32_t kHttpsDefaultPort = 443;
constexpr int32_t kHttpDefaultPort = 80;
constexpr int32_t kMaxPort = 65535;

std::wstring widen(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (char b : bytes) {
    // Sign extension into 16 bits, the same on every platform's wchar_t.
    out.push_back(static_cast<wchar_t>(
        static_cast<char16_t>(static_cast<int16_t>(static_cast<signed char>(b)))));
  }
  return out;
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal integer as the standard conversion reads it, limited to a port number.
std::optional<int32_t> parse_port(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && is_space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t first_digit = i;
  int64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i] - '0');
    if (value > kMaxPort) return std::nullopt;  // stops before any overflow
    ++i;
  }
  if (i == first_digit) return std::nullopt;
  if (negative && value != 0) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

std::optional<UrlParts> parse_url(std::string_view url) {
  UrlParts parts;
  size_t scheme_length = 0;
  if (url.substr(0, kHttpsScheme.size()) == kHttpsScheme) {
    parts.secure = true;
    scheme_length = kHttpsScheme.size();
    parts.port = kHttpsDefaultPort;
  } else if (url.substr(0, kHttpScheme.size()) == kHttpScheme) {
    scheme_length = kHttpScheme.size();
    parts.port = kHttpDefaultPort;
  } else {
    return std::nullopt;
  }

  const std::string_view rest = url.substr(scheme_length);
  const size_t slash = rest.find('/');
  const std::string_view authority = slash == std::string_view::npos ? rest : rest.substr(0, slash);
  parts.path = slash == std::string_view::npos ? std::wstring(L"/") : widen(rest.substr(slash));

  const size_t colon = authority.find(':');
  if (colon == std::string_view::npos) {
    parts.host = widen(authority);
  } else {
    parts.host = widen(authority.substr(0, colon));
    const auto port = parse_port(authority.substr(colon + 1));
    if (!port) return std::nullopt;
    parts.port = *port;
  }
  return parts;
}
