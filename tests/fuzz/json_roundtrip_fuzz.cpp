// Round-trip fuzzing of the JSON parser, writer and text merge.
//
// Property: whatever parses is written, and the written text must parse back to the same
// document, except that the writer rounds non-integral numbers to six decimals. So a number x
// is expected back as x itself when it is integral and within int64 (written as an integer),
// and otherwise as the double that the "%f" text of x reads back as. Text written from such a
// document must then be a fixed point: writing and reading it again changes nothing.
//
// The input is also split in two and merged as texts; the result is checked against the merge
// rules member by member rather than against json_merge itself.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "json/json_dump.h"
#include "json/json_parse.h"

// Undefined behaviour must stop the run like any other finding.
extern "C" const char* __ubsan_default_options() {
  return "halt_on_error=1:print_stacktrace=1";
}

namespace {

void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "json round trip violated: %s\n", what);
    std::abort();
  }
}

double written_number_read_back(double x) {
  constexpr double kInt64Limit = 9223372036854775808.0;
  if (x >= -kInt64Limit && x < kInt64Limit &&
      static_cast<double>(static_cast<std::int64_t>(x)) == x) {
    return x;
  }
  char text[512];  // "%f" of the largest finite double is 316 characters
  std::snprintf(text, sizeof text, "%f", x);
  return std::strtod(text, nullptr);
}

// `back` is `original` after one write and read.
bool same_after_rounding(const JsonValue& back, const JsonValue& original) {
  if (back.kind != original.kind) {
    return false;
  }
  switch (original.kind) {
    case JsonKind::Null: return true;
    case JsonKind::Bool: return back.bool_value == original.bool_value;
    case JsonKind::Number:
      return back.number_value == written_number_read_back(original.number_value);
    case JsonKind::String: return back.string_value == original.string_value;
    case JsonKind::Array:
      if (back.items.size() != original.items.size()) {
        return false;
      }
      for (std::size_t i = 0; i < back.items.size(); ++i) {
        if (!same_after_rounding(back.items[i], original.items[i])) {
          return false;
        }
      }
      return true;
    case JsonKind::Object: {
      if (back.members.size() != original.members.size()) {
        return false;
      }
      auto it = back.members.begin();
      for (const auto& [key, value] : original.members) {
        if (it->first != key || !same_after_rounding(it->second, value)) {
          return false;
        }
        ++it;
      }
      return true;
    }
  }
  return false;
}

// `merged` is the written-and-read merge of `primary` over `defaults`.
bool is_merge_of(const JsonValue& merged, const JsonValue& primary, const JsonValue& defaults) {
  if (primary.kind != JsonKind::Object || defaults.kind != JsonKind::Object) {
    return same_after_rounding(merged, primary);
  }
  if (merged.kind != JsonKind::Object) {
    return false;
  }
  std::size_t expected_members = primary.members.size();
  for (const auto& [key, default_value] : defaults.members) {
    const JsonValue* own = primary.find(key);
    const JsonValue* result = merged.find(key);
    if (own == nullptr) {
      ++expected_members;
    }
    if (result == nullptr || !(own ? is_merge_of(*result, *own, default_value)
                                   : same_after_rounding(*result, default_value))) {
      return false;
    }
  }
  for (const auto& [key, own_value] : primary.members) {
    const JsonValue* result = merged.find(key);
    if (result == nullptr ||
        (defaults.find(key) == nullptr && !same_after_rounding(*result, own_value))) {
      return false;
    }
  }
  return merged.members.size() == expected_members;
}

void check_round_trip(const JsonValue& document) {
  const std::string written = json_dump(document, 0);
  std::optional<JsonValue> back = json_parse(written);
  require(back.has_value(), "written text does not parse");
  require(same_after_rounding(*back, document), "document changed by write and read");

  const std::string rewritten = json_dump(*back, 0);
  std::optional<JsonValue> again = json_parse(rewritten);
  require(again.has_value(), "rewritten text does not parse");
  require(json_dump(*again, 0) == rewritten, "rewritten text is not a fixed point");
}

void check_merge_text(std::string_view primary_text, std::string_view defaults_text) {
  const std::string merged_text = json_merge_text(primary_text, defaults_text);
  std::optional<JsonValue> primary = json_parse(primary_text);
  std::optional<JsonValue> defaults = json_parse(defaults_text);
  if (!primary || !defaults) {
    require(merged_text == defaults_text, "failed merge did not return the defaults text");
    return;
  }
  std::optional<JsonValue> merged = json_parse(merged_text);
  require(merged.has_value(), "merged text does not parse");
  require(is_merge_of(*merged, *primary, *defaults), "merged document breaks the merge rules");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (std::optional<JsonValue> document = json_parse(input)) {
    check_round_trip(*document);
  }
  const std::size_t cut = size / 2;
  check_merge_text(input.substr(0, cut), input.substr(cut));
  return 0;
}
