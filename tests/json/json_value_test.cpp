#include "json/json_value.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "json/json_dump.h"
#include "json/json_parse.h"

namespace {

using Members = std::map<std::string, JsonValue>;

JsonValue parsed(const std::string& text) {
  std::optional<JsonValue> value = json_parse(text);
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(JsonValue());
}

void expect_empty_payloads_except(const JsonValue& v, JsonKind kept) {
  EXPECT_TRUE(kept == JsonKind::Bool || !v.bool_value);
  EXPECT_TRUE(kept == JsonKind::Number || v.number_value == 0.0);
  EXPECT_TRUE(kept == JsonKind::String || v.string_value.empty());
  EXPECT_TRUE(kept == JsonKind::Array || v.items.empty());
  EXPECT_TRUE(kept == JsonKind::Object || v.members.empty());
}

TEST(JsonValue, ConstructorsSetOneKindAndLeaveOtherPayloadsEmpty) {
  const struct {
    JsonValue value;
    JsonKind kind;
  } cases[] = {
      {JsonValue(), JsonKind::Null},
      {JsonValue(true), JsonKind::Bool},
      {JsonValue(2.5), JsonKind::Number},
      {JsonValue(std::string("s")), JsonKind::String},
      // A literal must not decay to the bool constructor.
      {JsonValue("literal"), JsonKind::String},
      {JsonValue(std::vector<JsonValue>{JsonValue(1.0)}), JsonKind::Array},
      {JsonValue(Members{{"k", JsonValue()}}), JsonKind::Object},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.kind, c.kind);
    expect_empty_payloads_except(c.value, c.kind);
  }
  EXPECT_EQ(JsonValue("literal").string_value, "literal");
}

TEST(JsonValue, CopyIsDeep) {
  JsonValue original = parsed(R"({"list":[1,{"x":"a"}]})");
  JsonValue copy = original;
  copy.members["list"].items[1].members["x"] = JsonValue("changed");
  copy.members["list"].items.push_back(JsonValue(true));
  EXPECT_EQ(json_dump(original, 0), json_dump(parsed(R"({"list":[1,{"x":"a"}]})"), 0));
  EXPECT_EQ(copy.members["list"].items.size(), 3u);
}

TEST(JsonValue, MoveTransfersEverythingAndLeavesSourceEmptyNull) {
  JsonValue source = parsed(R"({"a":[1,2],"s":"text"})");
  const std::string before = json_dump(source, 0);

  JsonValue constructed(std::move(source));
  EXPECT_EQ(json_dump(constructed, 0), before);
  EXPECT_EQ(source.kind, JsonKind::Null);
  expect_empty_payloads_except(source, JsonKind::Null);

  JsonValue assigned(true);
  assigned = std::move(constructed);
  EXPECT_EQ(json_dump(assigned, 0), before);
  EXPECT_EQ(constructed.kind, JsonKind::Null);
  expect_empty_payloads_except(constructed, JsonKind::Null);
  constructed.members["reuse"] = JsonValue(1.0);  // the emptied map is still usable
  EXPECT_EQ(constructed.members.size(), 1u);
}

TEST(JsonValue, AssigningFromOwnSubtreeKeepsTheSubtree) {
  JsonValue doc = parsed(R"({"inner":{"list":[1,"two"]}})");
  doc = doc.members["inner"];
  EXPECT_EQ(json_dump(doc, 0), "{\n  \"list\": [\n    1,\n    \"two\"\n  ]\n}");
  doc = std::move(doc.members["list"].items[1]);
  EXPECT_EQ(doc.kind, JsonKind::String);
  EXPECT_EQ(doc.string_value, "two");
}

TEST(JsonValue, MembersIterateInUnsignedByteOrder) {
  Members members;
  for (const char* key : {"b", "a", "B", "ab", "\xC3\xA9", "\x7F", "\xFF", "", "a\x80", "a\x01"}) {
    members[key] = JsonValue();
  }
  std::vector<std::string> keys;
  for (const auto& member : members) keys.push_back(member.first);
  // 0x80 sorts after every ASCII byte: the comparison is on unsigned bytes.
  const std::vector<std::string> expected = {"",      "B", "a",    "a\x01",    "ab",
                                             "a\x80", "b", "\x7F", "\xC3\xA9", "\xFF"};
  EXPECT_EQ(keys, expected);
}

TEST(JsonValue, SubscriptInsertsNullMember) {
  JsonValue doc(Members{});
  doc.members["new"];
  ASSERT_NE(doc.find("new"), nullptr);
  EXPECT_EQ(doc.find("new")->kind, JsonKind::Null);
}

TEST(JsonValue, TypedLookupsRequireObjectReceiverAndMatchingKind) {
  const JsonValue doc =
      parsed(R"({"version":1.5,"name":"x","flag":false,"files":[1],"nothing":null,"obj":{}})");
  struct Case {
    const char* key;
    bool found, string, number, boolean, array;
  };
  const Case cases[] = {
      {"version", true, false, true, false, false},
      {"name", true, true, false, false, false},
      {"flag", true, false, false, true, false},
      {"files", true, false, false, false, true},
      {"nothing", true, false, false, false, false},
      {"obj", true, false, false, false, false},
      {"missing", false, false, false, false, false},
      {"Version", false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(doc.find(c.key) != nullptr, c.found);
    EXPECT_EQ(doc.get_string(c.key).has_value(), c.string);
    EXPECT_EQ(doc.get_number(c.key).has_value(), c.number);
    EXPECT_EQ(doc.get_bool(c.key).has_value(), c.boolean);
    EXPECT_EQ(doc.get_array(c.key) != nullptr, c.array);
  }
  EXPECT_EQ(doc.get_number("version"), 1.5);
  EXPECT_EQ(doc.get_string("name"), "x");
  EXPECT_EQ(doc.get_bool("flag"), false);
  ASSERT_NE(doc.get_array("files"), nullptr);
  EXPECT_EQ(doc.get_array("files")->size(), 1u);
  EXPECT_EQ(doc.get_string("version").value_or("default"), "default");
  EXPECT_EQ(doc.get_number("name").value_or(7), 7.0);

  // Non-object receivers, even ones holding an object-like payload, find nothing.
  JsonValue array_with_members(std::vector<JsonValue>{});
  array_with_members.members["version"] = JsonValue(1.0);
  for (const JsonValue& receiver :
       {parsed(R"([{"version":1}])"), parsed(R"("version")"), JsonValue(), array_with_members}) {
    EXPECT_EQ(receiver.find("version"), nullptr);
    EXPECT_FALSE(receiver.get_number("version").has_value());
    EXPECT_FALSE(receiver.get_string("version").has_value());
    EXPECT_FALSE(receiver.get_bool("version").has_value());
    EXPECT_EQ(receiver.get_array("version"), nullptr);
  }
}

TEST(JsonValue, Merge) {
  const struct {
    const char* primary;
    const char* defaults;
    const char* expected;  // compact form of the expected document
  } cases[] = {
      {R"({"a":1,"n":{"x":1}})", R"({"a":2,"b":3,"n":{"x":2,"y":4}})",
       R"({"a":1,"b":3,"n":{"x":1,"y":4}})"},
      {R"({"list":[1]})", R"({"list":[1,2],"k":[3]})", R"({"k":[3],"list":[1]})"},
      {R"([1,2])", R"({"a":1})", R"([1,2])"},
      {R"({"a":1})", R"([1,2])", R"({"a":1})"},
      {R"("text")", R"("other")", R"("text")"},
      {R"({"n":5})", R"({"n":{"deep":1}})", R"({"n":5})"},
      {R"({"n":{"deep":1}})", R"({"n":null})", R"({"n":{"deep":1}})"},
      {R"({"only":true})", R"({})", R"({"only":true})"},
      {R"({"a":{"b":{"c":{}}}})", R"({"a":{"b":{"c":{"d":1},"e":2}}})",
       R"({"a":{"b":{"c":{"d":1},"e":2}}})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.primary);
    const JsonValue primary = parsed(c.primary);
    const JsonValue defaults = parsed(c.defaults);
    const std::string primary_before = json_dump(primary, 0);
    EXPECT_EQ(json_dump(json_merge(primary, defaults), 0), json_dump(parsed(c.expected), 0));
    EXPECT_EQ(json_dump(primary, 0), primary_before);
  }
}

}  // namespace
