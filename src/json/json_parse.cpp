#include "json/json_parse.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kUnicodeEscapeLength = 6;  // backslash, 'u', four hex digits

// Read position over the caller's bytes; only ever moves forward, never beyond `length`.
struct Cursor {
  const char* text;
  std::size_t length;
  std::size_t pos;
};

bool at_end(const Cursor& c) {
  return c.pos >= c.length;
}

char peek(const Cursor& c) {
  return c.text[c.pos];
}

bool next_bytes_are(const Cursor& c, std::string_view bytes) {
  return c.length - c.pos >= bytes.size() &&
         std::string_view(c.text + c.pos, bytes.size()) == bytes;
}

void skip_whitespace(Cursor& c) {
  while (!at_end(c)) {
    char b = peek(c);
    if (b == '\t' || b == '\n' || b == '\r' || b == ' ') {
      ++c.pos;
    } else if (next_bytes_are(c, kByteOrderMark)) {
      c.pos += kByteOrderMark.size();
    } else {
      return;
    }
  }
}

std::optional<JsonValue> parse_value(Cursor& c, int depth);

int hex_digit_value(char b) {
  if (b >= '0' && b <= '9') return b - '0';
  if (b >= 'a' && b <= 'f') return b - 'a' + 10;
  if (b >= 'A' && b <= 'F') return b - 'A' + 10;
  return -1;
}

std::optional<std::uint32_t> parse_hex4(const char* digits) {
  std::uint32_t unit = 0;
  for (int i = 0; i < 4; ++i) {
    int digit = hex_digit_value(digits[i]);
    if (digit < 0) {
      return std::nullopt;
    }
    unit = unit << 4 | static_cast<std::uint32_t>(digit);
  }
  return unit;
}

// Each \u escape is encoded on its own; surrogate halves are not paired.
void append_utf8(std::string& out, std::uint32_t unit) {
  if (unit < 0x80) {
    out.push_back(static_cast<char>(unit));
  } else if (unit < 0x800) {
    out.push_back(static_cast<char>(0xC0 | unit >> 6));
    out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | unit >> 12));
    out.push_back(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
  }
}

char unescape(char b) {
  switch (b) {
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return b;  // covers " / \ and any unknown escape, which stands for itself
  }
}

std::optional<std::string> parse_string(Cursor& c) {
  skip_whitespace(c);
  if (at_end(c) || peek(c) != '"') {
    return std::nullopt;
  }
  ++c.pos;
  std::string out;
  while (!at_end(c)) {
    char b = peek(c);
    if (b == '"') {
      ++c.pos;
      return out;
    }
    if (b != '\\') {
      out.push_back(b);
      ++c.pos;
      continue;
    }
    if (c.length - c.pos < 2) {
      return std::nullopt;
    }
    char escape = c.text[c.pos + 1];
    if (escape != 'u') {
      out.push_back(unescape(escape));
      c.pos += 2;
      continue;
    }
    if (c.length - c.pos < kUnicodeEscapeLength) {
      return std::nullopt;
    }
    std::optional<std::uint32_t> unit = parse_hex4(c.text + c.pos + 2);
    if (!unit) {
      return std::nullopt;
    }
    append_utf8(out, *unit);
    c.pos += kUnicodeEscapeLength;
  }
  return std::nullopt;
}

std::optional<JsonValue> parse_literal(Cursor& c) {
  static constexpr std::string_view kTrue = "true";
  static constexpr std::string_view kFalse = "false";
  static constexpr std::string_view kNull = "null";
  if (next_bytes_are(c, kTrue)) {
    c.pos += kTrue.size();
    return JsonValue(true);
  }
  if (next_bytes_are(c, kFalse)) {
    c.pos += kFalse.size();
    return JsonValue(false);
  }
  if (next_bytes_are(c, kNull)) {
    c.pos += kNull.size();
    return JsonValue();
  }
  return std::nullopt;
}

bool is_number_byte(char b) {
  return (b >= '0' && b <= '9') || b == '+' || b == '-' || b == '.' || b == 'e' || b == 'E';
}

// std::stod converts as much of the run as forms a number and drops the rest; it throws when
// nothing converts or on a range error (overflow, and underflow to zero or a subnormal).
std::optional<double> convert_number(const char* run, std::size_t length) {
  try {
    return std::stod(std::string(run, length));
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<JsonValue> parse_number(Cursor& c) {
  std::size_t start = c.pos;
  while (!at_end(c) && is_number_byte(peek(c))) {
    ++c.pos;
  }
  if (c.pos == start) {
    return std::nullopt;
  }
  std::optional<double> number = convert_number(c.text + start, c.pos - start);
  if (!number) {
    return std::nullopt;
  }
  return JsonValue(*number);
}

enum class Separator { Comma, Close, Invalid };

// What follows an element of an array or object: a comma (another element), the closing
// bracket, or anything else (including the end of input), which fails the container.
Separator consume_separator(Cursor& c, char close) {
  skip_whitespace(c);
  if (at_end(c)) {
    return Separator::Invalid;
  }
  char b = peek(c);
  ++c.pos;
  if (b == ',') {
    return Separator::Comma;
  }
  return b == close ? Separator::Close : Separator::Invalid;
}

std::optional<JsonValue> parse_array(Cursor& c, int depth) {
  ++c.pos;  // '['
  std::vector<JsonValue> items;
  skip_whitespace(c);
  if (!at_end(c) && peek(c) == ']') {
    ++c.pos;
    return JsonValue(std::move(items));
  }
  for (;;) {
    std::optional<JsonValue> item = parse_value(c, depth);
    if (!item) {
      return std::nullopt;
    }
    items.push_back(std::move(*item));
    switch (consume_separator(c, ']')) {
      case Separator::Comma: break;
      case Separator::Close: return JsonValue(std::move(items));
      case Separator::Invalid: return std::nullopt;
    }
  }
}

std::optional<JsonValue> parse_object(Cursor& c, int depth) {
  ++c.pos;  // '{'
  std::map<std::string, JsonValue> members;
  skip_whitespace(c);
  if (!at_end(c) && peek(c) == '}') {
    ++c.pos;
    return JsonValue(std::move(members));
  }
  for (;;) {
    std::optional<std::string> key = parse_string(c);
    if (!key) {
      return std::nullopt;
    }
    skip_whitespace(c);
    if (at_end(c) || peek(c) != ':') {
      return std::nullopt;
    }
    ++c.pos;
    std::optional<JsonValue> value = parse_value(c, depth);
    if (!value) {
      return std::nullopt;
    }
    members[std::move(*key)] = std::move(*value);  // a repeated key: the last one wins
    switch (consume_separator(c, '}')) {
      case Separator::Comma: break;
      case Separator::Close: return JsonValue(std::move(members));
      case Separator::Invalid: return std::nullopt;
    }
  }
}

// `depth` counts the arrays and objects that enclose the value about to be read.
std::optional<JsonValue> parse_value(Cursor& c, int depth) {
  skip_whitespace(c);
  if (at_end(c)) {
    return std::nullopt;
  }
  switch (peek(c)) {
    case '{': return depth < kJsonMaxNesting ? parse_object(c, depth + 1) : std::nullopt;
    case '[': return depth < kJsonMaxNesting ? parse_array(c, depth + 1) : std::nullopt;
    case '"': {
      std::optional<std::string> text = parse_string(c);
      return text ? std::optional<JsonValue>(JsonValue(std::move(*text))) : std::nullopt;
    }
    case 't':
    case 'f':
    case 'n': return parse_literal(c);
    default: return parse_number(c);
  }
}

}  // namespace

std::optional<JsonValue> json_parse(std::string_view text) {
  Cursor c{text.data(), text.size(), 0};
  // Whatever follows the first value is deliberately not examined.
  return parse_value(c, 0);
}
