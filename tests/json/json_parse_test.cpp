#include "json/json_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "json/json_dump.h"

namespace {

using namespace std::string_literals;  // "..."s keeps embedded NUL bytes

// Parses from a heap buffer of exactly the input's size, so AddressSanitizer flags any read past
// the end (a std::string would hide it behind its terminating NUL).
std::optional<JsonValue> parse_exact(const std::string& text) {
  auto buffer = std::make_unique<char[]>(text.size());
  std::memcpy(buffer.get(), text.data(), text.size());
  return json_parse(std::string_view(buffer.get(), text.size()));
}

// Structure and leniency, compared through the writer's canonical form (or absent).
TEST(JsonParse, Documents) {
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string input;
    std::optional<std::string> dump;
  } cases[] = {
      {"", std::nullopt},
      {"  \r\n\t ", std::nullopt},
      {bom, std::nullopt},
      {bom + R"({"a":1})", "{\n  \"a\": 1\n}"},
      {"{" + bom + R"("a")" + bom + ":" + bom + "1" + bom + "}", "{\n  \"a\": 1\n}"},
      {"[1," + bom + bom + "2]", "[\n  1,\n  2\n]"},
      {"\xEF{}", std::nullopt},  // a lone EF is not whitespace
      {"\xEF\xBB{}", std::nullopt},
      {R"({"a":1} garbage)", "{\n  \"a\": 1\n}"},
      {"[1,2]]", "[\n  1,\n  2\n]"},
      {"1\0trailing"s, "1"},
      {"[]", "[]"},
      {"{}", "{}"},
      {"[ \n ]", "[]"},
      {"{ \r\n }", "{}"},
      {R"({"b":1,"a":{"d":[],"c":null}})",
       "{\n  \"a\": {\n    \"c\": null,\n    \"d\": []\n  },\n  \"b\": 1\n}"},
      {R"( { "k" : [ true , false , null ] } )",
       "{\n  \"k\": [\n    true,\n    false,\n    null\n  ]\n}"},
      {R"({"k":1,"k":2})", "{\n  \"k\": 2\n}"},
      {R"({"k":{"x":1},"k":[]})", "{\n  \"k\": []\n}"},
      {"[1,]", std::nullopt},
      {R"({"a":1,})", std::nullopt},
      {R"({"a" 1})", std::nullopt},
      {"[1 2]", std::nullopt},
      {"{'a':1}", std::nullopt},
      {"{1:2}", std::nullopt},
      {"{,}", std::nullopt},
      {"[,1]", std::nullopt},
      {"[", std::nullopt},
      {"[1", std::nullopt},
      {"[1,", std::nullopt},
      {"{", std::nullopt},
      {R"({"a")", std::nullopt},
      {R"({"a":)", std::nullopt},
      {R"({"a":1)", std::nullopt},
      {"[1,\0]"s, std::nullopt},
      {"true", "true"},
      {"false", "false"},
      {"null", "null"},
      {"truex", "true"},
      {"nullnull", "null"},
      {"[truex]", std::nullopt},
      {"tru", std::nullopt},
      {"fals", std::nullopt},
      {"nul", std::nullopt},
      {"ftrue", std::nullopt},
      {"True", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.input));
    std::optional<JsonValue> value = parse_exact(c.input);
    ASSERT_EQ(value.has_value(), c.dump.has_value());
    if (value) {
      EXPECT_EQ(json_dump(*value, 0), *c.dump);
    }
  }
}

TEST(JsonParse, Strings) {
  const struct {
    std::string input;
    std::optional<std::string> bytes;
  } cases[] = {
      {R"("")", ""s},
      {R"("\u00e9")", "\xC3\xA9"s},
      {R"("\u4e2d")", "\xE4\xB8\xAD"s},
      {R"("\ud83d\ude00")", "\xED\xA0\xBD\xED\xB8\x80"s},
      {R"("\u0000")", "\0"s},
      {R"("\u007F\u0080\u07FF\u0800\uFFFF")", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"s},
      {R"("\u00C9\u00c9")", "\xC3\x89\xC3\x89"s},
      {R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"s},
      {R"("\x41\q\u0041")", "x41qA"s},
      {"\"tab\there\nline\"", "tab\there\nline"s},
      {"\"raw \x01\x1F\x7F\x80\xFF\xC3\"", "raw \x01\x1F\x7F\x80\xFF\xC3"s},
      {"\"a\0b\""s, "a\0b"s},
      {"\"\xEF\xBB\xBF\"", "\xEF\xBB\xBF"s},  // inside a string a mark is data
      {R"("\u12")", std::nullopt},
      {R"("\u12")"
       "xx",
       std::nullopt},
      {R"("\u00G0")", std::nullopt},
      {R"("\u")", std::nullopt},
      {R"("\u123)", std::nullopt},
      {R"("\u1234)", std::nullopt},
      {R"("abc)", std::nullopt},
      {R"("\)", std::nullopt},
      {R"("\")", std::nullopt},
      {"\"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.input));
    std::optional<JsonValue> value = parse_exact(c.input);
    ASSERT_EQ(value.has_value(), c.bytes.has_value());
    if (value) {
      EXPECT_EQ(value->kind, JsonKind::String);
      EXPECT_EQ(value->string_value, *c.bytes);
    }
  }
}

TEST(JsonParse, KeysUseTheStringRules) {
  std::optional<JsonValue> value = parse_exact(R"({"\u00e9\"k\q":1,"a\u0000b":2})");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->get_number("\xC3\xA9\"kq"), 1.0);
  EXPECT_EQ(value->get_number("a\0b"s), 2.0);
}

// Numbers: a loose scan, then the C runtime's conversion, which may stop early.
TEST(JsonParse, Numbers) {
  const struct {
    std::string input;
    std::optional<double> number;
  } cases[] = {
      {"42", 42.0},
      {"-17", -17.0},
      {"+1", 1.0},
      {"01", 1.0},
      {"00012", 12.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"1.", 1.0},
      {"1e", 1.0},
      {"1e+", 1.0},
      {"1E2", 100.0},
      {"1e+2", 100.0},
      {"2.5e-3", 0.0025},
      {"1.2.3", 1.2},
      {"1-2", 1.0},
      {"1e5e5", 1e5},
      {"0x10", 0.0},  // only "0" is scanned; glibc alone would read "0x10" as hex
      {"42abc", 42.0},
      {"0.1", 0.1},
      {"1e23", 1e23},
      {"9007199254740993", 9007199254740992.0},
      {"123456789.5", 123456789.5},
      {"-9223372036854775808", -9223372036854775808.0},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"2.2250738585072014e-308", 2.2250738585072014e-308},  // smallest normal double
      {"0e-400", 0.0},
      {"1e999", std::nullopt},
      {"-1e999", std::nullopt},
      {"1.7976931348623159e308", std::nullopt},
      {"1e-400", std::nullopt},  // underflow is a range error too
      {"1e-310", std::nullopt},  // as is a subnormal result
      {"-", std::nullopt},
      {"+", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {".", std::nullopt},
      {".e1", std::nullopt},
      {"e5", std::nullopt},
      {"E", std::nullopt},
      {"NaN", std::nullopt},
      {"Infinity", std::nullopt},
      {"-Infinity", std::nullopt},
      {"[0x10]", std::nullopt},
      {"]", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::optional<JsonValue> value = parse_exact(c.input);
    ASSERT_EQ(value.has_value(), c.number.has_value());
    if (value) {
      EXPECT_EQ(value->kind, JsonKind::Number);
      EXPECT_EQ(value->number_value, *c.number);
    }
  }
}

TEST(JsonParse, NegativeZeroKeepsItsSign) {
  std::optional<JsonValue> value = parse_exact("-0");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->number_value, 0.0);
  EXPECT_TRUE(std::signbit(value->number_value));
}

std::string nested(int depth, const std::string& open, const std::string& innermost,
                   const std::string& close) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += open;
  text += innermost;
  for (int i = 0; i < depth; ++i) text += close;
  return text;
}

TEST(JsonParse, NestingIsBounded) {
  const int limit = kJsonMaxNesting;
  const struct {
    std::string input;
    bool parses;
  } cases[] = {
      {nested(limit, "[", "", "]"), true},
      {nested(limit + 1, "[", "", "]"), false},
      {nested(limit - 1, "[", "{}", "]"), true},
      {nested(limit, "[", "{}", "]"), false},
      {nested(limit - 1, R"({"k":)", "{}", "}"), true},
      {nested(limit, R"({"k":)", "1", "}"), true},
      {nested(limit, R"({"k":)", "[]", "}"), false},
      {nested(limit / 2, R"([{"k":)", "null", "}]"), true},
      {nested(limit / 2, R"([{"k":)", "[]", "}]"), false},
      {std::string(100000, '['), false},
      {nested(100000, "[", "", "]"), false},
      {nested(100000, R"({"":)", "1", "}"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.substr(0, 12) + "... length " + std::to_string(c.input.size()));
    EXPECT_EQ(parse_exact(c.input).has_value(), c.parses);
  }
}

TEST(JsonParse, DeepestAcceptedDocumentSurvivesDumpAndMerge) {
  std::optional<JsonValue> value = parse_exact(nested(kJsonMaxNesting, "[", "", "]"));
  ASSERT_TRUE(value);
  std::string text = json_dump(*value, 0);
  std::optional<JsonValue> again = parse_exact(text);
  ASSERT_TRUE(again);
  EXPECT_EQ(json_dump(json_merge(*again, *value), 0), text);
}

}  // namespace
