#include "package/zip_delta.h"

#include <gtest/gtest.h>

namespace {

TEST(ZipDelta, ReadsEachKindOfMemberAndRefusesAnyMalformedOne) {
  const std::optional<std::vector<ZipDeltaMember>> members = parse_zip_delta(R"({"members": [
      {"file_path": "a.pak", "sha256": "s1", "base_sha256": "s1", "size": 0},
      {"file_path": "locales/de.pak", "sha256": "s2", "base_sha256": "b2", "patch": "patches/0.zst",
       "size": 9007199254740992},
      {"file_path": "new.dat", "sha256": "s3", "patch": "patches/1.zst", "size": 5}]})");
  ASSERT_TRUE(members.has_value());
  ASSERT_EQ(members->size(), 3u);
  const ZipDeltaMember expected[] = {
      {"a.pak", "s1", 0, "s1", ""},
      {"locales/de.pak", "s2", 9007199254740992, "b2", "patches/0.zst"},
      {"new.dat", "s3", 5, "", "patches/1.zst"}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ((*members)[i].file_path, expected[i].file_path);
    EXPECT_EQ((*members)[i].sha256, expected[i].sha256);
    EXPECT_EQ((*members)[i].size, expected[i].size);
    EXPECT_EQ((*members)[i].base_sha256, expected[i].base_sha256);
    EXPECT_EQ((*members)[i].patch, expected[i].patch);
  }
  EXPECT_TRUE(parse_zip_delta(R"({"members": []})").has_value());

  // Every member but the one each case spoils is well formed ("size" is added to each object
  // that has a "sha256" unless the case is about sizes).
  const char* refused[] = {
      "",
      "[]",
      R"({"members": {}})",
      R"({"members": [1]})",
      R"({"members": [{"sha256": "s", "base_sha256": "s", "size": 1}]})",
      R"({"members": [{"file_path": "../x", "sha256": "s", "base_sha256": "s", "size": 1}]})",
      R"({"members": [{"file_path": "C:/x", "sha256": "s", "base_sha256": "s", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "", "base_sha256": "", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "size": 1}]})",  // nothing makes it
      // kept, but changed
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": "b", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": "", "patch": "p", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": 5, "patch": "p", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "../p", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "\\\\host\\p", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "", "size": 1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": "s", "size": 1}, {"file_path": "b"}]})",
      // A size is what a patch's stated size is checked against: none, or none that is a whole
      // number a double holds, and the listing is not used.
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "p"}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "p", "size": "5"}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "p", "size": -1}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "p", "size": 1.5}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "p", "size": 9007199254740994}]})",
  };
  for (const char* text : refused) {
    EXPECT_FALSE(parse_zip_delta(text).has_value()) << text;
  }
}

}  // namespace
