#include "package/zip_delta.h"

#include <gtest/gtest.h>

namespace {

TEST(ZipDelta, ReadsEachKindOfMemberAndRefusesAnyMalformedOne) {
  const std::optional<std::vector<ZipDeltaMember>> members = parse_zip_delta(R"({"members": [
      {"file_path": "a.pak", "sha256": "s1", "base_sha256": "s1"},
      {"file_path": "locales/de.pak", "sha256": "s2", "base_sha256": "b2", "patch": "patches/0.zst"},
      {"file_path": "new.dat", "sha256": "s3", "patch": "patches/1.zst", "size": 5}]})");
  ASSERT_TRUE(members.has_value());
  ASSERT_EQ(members->size(), 3u);
  const ZipDeltaMember expected[] = {{"a.pak", "s1", "s1", ""},
                                     {"locales/de.pak", "s2", "b2", "patches/0.zst"},
                                     {"new.dat", "s3", "", "patches/1.zst"}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ((*members)[i].file_path, expected[i].file_path);
    EXPECT_EQ((*members)[i].sha256, expected[i].sha256);
    EXPECT_EQ((*members)[i].base_sha256, expected[i].base_sha256);
    EXPECT_EQ((*members)[i].patch, expected[i].patch);
  }
  EXPECT_TRUE(parse_zip_delta(R"({"members": []})").has_value());

  const char* refused[] = {
      "",
      "[]",
      R"({"members": {}})",
      R"({"members": [1]})",
      R"({"members": [{"sha256": "s", "base_sha256": "s"}]})",
      R"({"members": [{"file_path": "../x", "sha256": "s", "base_sha256": "s"}]})",
      R"({"members": [{"file_path": "C:/x", "sha256": "s", "base_sha256": "s"}]})",
      R"({"members": [{"file_path": "a", "sha256": "", "base_sha256": ""}]})",
      R"({"members": [{"file_path": "a", "sha256": "s"}]})",  // nothing makes it
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": "b"}]})",  // kept, but
                                                                                  // changed
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": "", "patch": "p"}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": 5, "patch": "p"}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "../p"}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": "\\\\host\\p"}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "patch": ""}]})",
      R"({"members": [{"file_path": "a", "sha256": "s", "base_sha256": "s"}, {"file_path": "b"}]})",
  };
  for (const char* text : refused) {
    EXPECT_FALSE(parse_zip_delta(text).has_value()) << text;
  }
}

}  // namespace
