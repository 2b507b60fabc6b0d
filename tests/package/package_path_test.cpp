#include "package/package_path.h"

#include <gtest/gtest.h>

#include "json/json_parse.h"
#include "kFilePathRules.h"

#include <optional>
#include <string>

namespace {

TEST(SafeRelativePath, AcceptsPathsInsideTheInstallation) {
  const struct {
    std::string file_path;
    std::u16string expected;
  } cases[] = {
      {"chrome.exe", u"chrome.exe"},
      {"locales/zh-CN.pak", u"locales/zh-CN.pak"},
      {"a\\b\\c.dll", u"a\\b\\c.dll"},
      {"./x", u"./x"},
      {"a..b/..c/d..e", u"a..b/..c/d..e"},
      {"资源/文件.pak", u"资源/文件.pak"},
      {"\xF0\x9F\x98\x80.txt", u"\U0001F600.txt"},
      // Near a device name, but none.
      {"console.log", u"console.log"},
      {"COM10.pak", u"COM10.pak"},
      {"nul-x/LPT.txt", u"nul-x/LPT.txt"},
      {"x.con", u"x.con"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file_path);
    const std::optional<std::u16string> path = safe_relative_path(c.file_path);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, c.expected);
  }
}

TEST(SafeRelativePath, RefusesPathsThatCouldLeaveOrAreNotUtf8) {
  using namespace std::string_literals;
  for (const std::string& file_path : {""s,
                                       "..\\x"s,
                                       "../x"s,
                                       "a/../../x"s,
                                       "a/.."s,
                                       ".."s,
                                       "a/. ./x"s,
                                       "a/.. /x"s,
                                       "a/.../x"s,
                                       "a/ /x"s,
                                       // Windows would drop the trailing dot or space.
                                       "x.bin."s,
                                       "d../x"s,
                                       "dir /x"s,
                                       "x.pak "s,
                                       "C:\\x"s,
                                       "C:x"s,
                                       "c:/x"s,
                                       "\\x"s,
                                       "/x"s,
                                       "\\\\server\\share\\x"s,
                                       "//server/x"s,
                                       "file.txt:stream"s,
                                       "a\tb"s,
                                       "a\nb"s,
                                       "a\0b"s,
                                       "\xFF.pak"s,
                                       "\xC0\xAF"s,
                                       "\xE0\x80\xAF"s,
                                       "\xED\xA0\x80"s,
                                       "\xF4\x90\x80\x80"s,
                                       "\xE8\xB5"s,
                                       "\x80x"s,
                                       // Devices, wherever they stand, with any extension.
                                       "COM1.pak"s,
                                       "nul"s,
                                       "a/LPT9.txt"s,
                                       "CON.zip"s,
                                       "con .txt"s,
                                       "x/aux."s,
                                       "prn.a.b"s,
                                       "com0"s,
                                       "CONIN$"s,
                                       "conout$.log"s,
                                       "COM\xC2\xB9.pak"s}) {
    SCOPED_TRACE(testing::PrintToString(file_path));
    EXPECT_FALSE(safe_relative_path(file_path).has_value());
  }
}

TEST(PathIdentity, SpellingsOfOneFileMeet) {
  const struct {
    std::u16string path;
    std::u16string identity;
  } cases[] = {
      {u"lib.dll", u"LIB.DLL"},
      {u"LIB.dll", u"LIB.DLL"},
      {u"a/b", u"A\\B"},
      {u"a\\b", u"A\\B"},
      {u"./x", u"X"},
      {u"a/./b", u"A\\B"},
      {u"a//b", u"A\\B"},
      {u"x.", u"X"},
      {u"x ", u"X"},
      {u"x. .", u"X"},
      {u"dir./x", u"DIR\\X"},
      {u"x.bak", u"X.BAK"},
      {u"资源/文件.pak", u"资源\\文件.PAK"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(path_identity(c.path), c.identity) << testing::PrintToString(c.path);
  }
}

// The table the release tool's tests read too.
TEST(SafeRelativePath, JudgesTheSharedTableAsTheReleaseTool) {
  const std::optional<JsonValue> table = json_parse(kFilePathRules);
  ASSERT_TRUE(table.has_value());
  const std::vector<JsonValue>* cases = table->get_array("paths");
  ASSERT_NE(cases, nullptr);
  for (const JsonValue& c : *cases) {
    std::string path = c.get_string("path").value_or("");
    if (const std::optional<std::string> hex = c.get_string("path_hex")) {
      path.clear();
      for (size_t i = 0; i + 1 < hex->size(); i += 2) {
        path.push_back(static_cast<char>(std::stoi(hex->substr(i, 2), nullptr, 16)));
      }
    }
    EXPECT_EQ(safe_relative_path(path).has_value(), c.get_bool("safe").value_or(false))
        << testing::PrintToString(path);
  }
}

}  // namespace
