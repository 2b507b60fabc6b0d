#include "json/json_dump.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "json/json_parse.h"

// Numbers must be spelled the same on every build. MinGW's own printf family (which libstdc++
// switches on for C++) matches glibc for "%f"; msvcrt's printf does not (it stops after 17
// significant digits and rounds exact halves away from zero), so never build against that.
#if defined(__MINGW32__) && !__USE_MINGW_ANSI_STDIO
#error "JSON number output needs MinGW's ANSI stdio (__USE_MINGW_ANSI_STDIO)"
#endif

namespace {

constexpr int kIndentStep = 2;
// 2^63: the first double past the int64 range; below it every double truncates safely.
constexpr double kInt64Limit = 9223372036854775808.0;

std::string format_fixed(double x) {
  // glibc writes the sign of a NaN, MinGW's runtime does not; agree on the glibc spelling.
  if (std::isnan(x)) {
    return std::signbit(x) ? "-nan" : "nan";
  }
  int length = std::snprintf(nullptr, 0, "%f", x);
  if (length < 0) {  // an encoding error; cannot happen for "%f" in the C locale
    return "null";
  }
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%f", x);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::string format_number(double x) {
  // The range check comes first: converting an out-of-range double (or NaN) to an integer is
  // undefined. -0.0 truncates to 0 and compares equal, so it is written as 0.
  if (x >= -kInt64Limit && x < kInt64Limit) {
    auto whole = static_cast<std::int64_t>(x);
    if (static_cast<double>(whole) == x) {
      return std::to_string(whole);
    }
  }
  return format_fixed(x);
}

// Indents are carried as 64-bit so `indent + 2` cannot overflow for any caller's int32 start.
using Indent = std::int64_t;

void append_spaces(std::string& out, Indent count) {
  if (count > 0) {
    out.append(static_cast<std::size_t>(count), ' ');
  }
}

void append_dump(std::string& out, const JsonValue& value, Indent indent);

// Opening bracket, one child per line at indent + 2, closing bracket at `indent`.
template <typename Children, typename AppendChild>
void append_block(std::string& out, const Children& children, char open, char close, Indent indent,
                  AppendChild append_child) {
  out.push_back(open);
  if (children.empty()) {
    out.push_back(close);
    return;
  }
  const Indent inner = indent + kIndentStep;
  out.push_back('\n');
  std::size_t remaining = children.size();
  for (const auto& child : children) {
    append_spaces(out, inner);
    append_child(child, inner);
    out.append(--remaining > 0 ? ",\n" : "\n");
  }
  append_spaces(out, indent);
  out.push_back(close);
}

void append_dump(std::string& out, const JsonValue& value, Indent indent) {
  switch (value.kind) {
    case JsonKind::Bool: out.append(value.bool_value ? "true" : "false"); return;
    case JsonKind::Number: out.append(format_number(value.number_value)); return;
    case JsonKind::String: out.append(json_escape_string(value.string_value)); return;
    case JsonKind::Array:
      append_block(out, value.items, '[', ']', indent,
                   [&out](const JsonValue& item, Indent inner) { append_dump(out, item, inner); });
      return;
    case JsonKind::Object:
      append_block(out, value.members, '{', '}', indent, [&out](const auto& member, Indent inner) {
        out.append(json_escape_string(member.first));
        out.append(": ");
        append_dump(out, member.second, inner);
      });
      return;
    case JsonKind::Null:
    default:  // a tag outside the known kinds is written as null too
      out.append("null");
      return;
  }
}

}  // namespace

std::string json_dump(const JsonValue& value, std::int32_t indent) {
  std::string out;
  append_dump(out, value, indent);
  return out;
}

std::string json_escape_string(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 2);
  out.push_back('"');
  for (char b : bytes) {
    switch (b) {
      case '\t': out.append("\\t"); break;
      case '\n': out.append("\\n"); break;
      case '\r': out.append("\\r"); break;
      case '"': out.append("\\\""); break;
      case '\\': out.append("\\\\"); break;
      default: out.push_back(b); break;
    }
  }
  out.push_back('"');
  return out;
}

std::string json_merge_text(std::string_view primary_text, std::string_view defaults_text) {
  std::optional<JsonValue> primary = json_parse(primary_text);
  std::optional<JsonValue> defaults = json_parse(defaults_text);
  if (!primary || !defaults) {
    return std::string(defaults_text);
  }
  return json_dump(json_merge(*primary, *defaults), 0);
}
