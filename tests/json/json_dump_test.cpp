#include "json/json_dump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "json/json_parse.h"

namespace {

using namespace std::string_literals;
using Members = std::map<std::string, JsonValue>;
using Items = std::vector<JsonValue>;

// The exact text is part of the file format, so it must be the same from glibc and MinGW.
TEST(JsonDump, Numbers) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {42.0, "42"},
      {3.0, "3"},
      {0.0, "0"},
      {-0.0, "0"},
      {-17.0, "-17"},
      {9007199254740993.0, "9007199254740992"},
      {9223372036854774784.0, "9223372036854774784"},  // largest double below 2^63
      {-9223372036854775808.0, "-9223372036854775808"},
      {9223372036854775808.0, "9223372036854775808.000000"},
      {-9223372036854777856.0, "-9223372036854777856.000000"},
      {1e20, "100000000000000000000.000000"},
      {1e22, "10000000000000000000000.000000"},
      {1e300,
       "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371"
       "3750804478640437044438328838781769425232353604305756447921847867069828483872009265758037"
       "3783023379478809005936895323497079994508111903896764088007465274278014249457925878882005"
       "6842838115669472196386865459400540160.000000"},
      {0.1, "0.100000"},
      {1.5, "1.500000"},
      {-1.5, "-1.500000"},
      {123456789.5, "123456789.500000"},
      {1e15 + 0.25, "1000000000000000.250000"},
      {1e-7, "0.000000"},
      {-1e-7, "-0.000000"},
      {0.0000005, "0.000000"},  // stored just below the halfway point
      {0.0000015, "0.000002"},  // stored just above it
      {0.0078125, "0.007812"},  // exact tie: round half to even
      {0.0234375, "0.023438"},  // exact tie: round half to even
      {0.9999995, "1.000000"},
      {4.9406564584124654e-324, "0.000000"},
      {inf, "inf"},
      {-inf, "-inf"},
      {nan, "nan"},
      {-nan, "-nan"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(json_dump(JsonValue(c.value), 0), c.text);
  }
  EXPECT_EQ(json_dump(JsonValue(1.7976931348623157e308), 0).size(), 316u);
}

TEST(JsonDump, Scalars) {
  EXPECT_EQ(json_dump(JsonValue(), 0), "null");
  EXPECT_EQ(json_dump(JsonValue(true), 0), "true");
  EXPECT_EQ(json_dump(JsonValue(false), 0), "false");
  JsonValue unknown_kind(1.0);
  unknown_kind.kind = static_cast<JsonKind>(6);
  EXPECT_EQ(json_dump(unknown_kind, 0), "null");
}

TEST(JsonDump, EscapeString) {
  const struct {
    std::string bytes;
    std::string literal;
  } cases[] = {
      {"", R"("")"},
      {"plain/slash", R"("plain/slash")"},
      {"\t\n\r\"\\", R"("\t\n\r\"\\")"},
      {"\b\f\x01\x1F\x7F"s, "\"\b\f\x01\x1F\x7F\""s},
      {"\0"s, "\"\0\""s},
      {"\xE4\xB8\xAD\xFF\x80", "\"\xE4\xB8\xAD\xFF\x80\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(json_escape_string(c.bytes), c.literal);
  }
}

TEST(JsonDump, EveryByteSurvivesWriteAndRead) {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes.push_back(static_cast<char>(b));
  JsonValue doc(Members{{all_bytes, JsonValue(all_bytes)}});
  std::optional<JsonValue> back = json_parse(json_dump(doc, 0));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->get_string(all_bytes), all_bytes);
}

TEST(JsonDump, Layout) {
  Members sample;
  sample["a"] = JsonValue(1.0);
  sample["b"] = JsonValue(Items{JsonValue(true), JsonValue("x")});
  Members written_out_of_order;
  written_out_of_order["version"] = JsonValue("1.0");
  written_out_of_order["channel"] = JsonValue("stable");

  const struct {
    JsonValue value;
    std::int32_t indent;
    std::string text;
  } cases[] = {
      {JsonValue(Members{}), 0, "{}"},
      {JsonValue(Items{}), 0, "[]"},
      {JsonValue(Members{{"k", JsonValue(Items{})}}), 0, "{\n  \"k\": []\n}"},
      {JsonValue(sample), 0, "{\n  \"a\": 1,\n  \"b\": [\n    true,\n    \"x\"\n  ]\n}"},
      {JsonValue(written_out_of_order), 0,
       "{\n  \"channel\": \"stable\",\n  \"version\": \"1.0\"\n}"},
      {JsonValue(Members{{"say \"hi\"", JsonValue()}}), 0, "{\n  \"say \\\"hi\\\"\": null\n}"},
      {JsonValue(Items{JsonValue(Items{JsonValue(Members{})})}), 0, "[\n  [\n    {}\n  ]\n]"},
      // `indent` positions the closing bracket and the children; the first line is never indented.
      {JsonValue(Items{JsonValue(1.0), JsonValue(Items{JsonValue(2.0)})}), 4,
       "[\n      1,\n      [\n        2\n      ]\n    ]"},
      {JsonValue(Items{JsonValue(1.0)}), -5, "[\n1\n]"},
      {JsonValue(Members{}), 4, "{}"},
      {JsonValue("s"), 4, "\"s\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(json_dump(c.value, c.indent), c.text);
  }
}

TEST(JsonDump, ReadBackGivesTheSameDocument) {
  const std::string text =
      "{\n  \"files\": [\n    {\n      \"name\": \"a\\tb\",\n      \"size\": 123456789012\n"
      "    },\n    {}\n  ],\n  \"ok\": false,\n  \"ratio\": 0.250000,\n  \"z\": null\n}";
  std::optional<JsonValue> doc = json_parse(text);
  ASSERT_TRUE(doc);
  EXPECT_EQ(json_dump(*doc, 0), text);
}

TEST(JsonMergeText, MergesOrReturnsDefaultsVerbatim) {
  const struct {
    std::string primary;
    std::string defaults;
    std::string result;
  } cases[] = {
      {R"({"a":1,"n":{"x":1}})", R"({"a":2,"b":3,"n":{"x":2,"y":4}})",
       "{\n  \"a\": 1,\n  \"b\": 3,\n  \"n\": {\n    \"x\": 1,\n    \"y\": 4\n  }\n}"},
      {"[1, 2]", "{}", "[\n  1,\n  2\n]"},
      {"5", "[1]", "5"},
      {"{\"a\":1,", " {\n\t\"b\" : 2 }\r\n", " {\n\t\"b\" : 2 }\r\n"},
      {"", "{\"b\":2}", "{\"b\":2}"},
      {R"({"a":1})", "not json", "not json"},
      {R"({"a":1})", "", ""},
      {"{\"a\":1} trailing", "\xEF\xBB\xBF{\"b\":0.5}", "{\n  \"a\": 1,\n  \"b\": 0.500000\n}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.primary + " | " + c.defaults);
    EXPECT_EQ(json_merge_text(c.primary, c.defaults), c.result);
  }
}

}  // namespace
