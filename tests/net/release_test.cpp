#include "net/release.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(ReleaseUrl, JoinsBaseIdAndChannel) {
  const struct {
    const char* base;
    const char* url;
  } cases[] = {
      {"https://r.example",
       "https://r.example/api/v1/public/software/orvane_browser_150/latest?channel=stable"},
      {"https://r.example/",
       "https://r.example/api/v1/public/software/orvane_browser_150/latest?channel=stable"},
      {"https://r.example//",
       "https://r.example//api/v1/public/software/orvane_browser_150/latest?channel=stable"},
      {"http://127.0.0.1:8080",
       "http://127.0.0.1:8080/api/v1/public/software/orvane_browser_150/latest?channel=stable"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(release_url(c.base, kSoftwareId, kReleaseChannel), c.url) << c.base;
  }
  EXPECT_EQ(release_url("h", "a b", "c&d"), "h/api/v1/public/software/a b/latest?channel=c&d");
}

TEST(ParseRelease, RejectsAnswersWithoutAUsableVersion) {
  for (const char* body :
       {"", "not json", "[]", "\"1.2.3\"", "null", R"({"version":""})",
        R"({"version":"","files":[{"file_path":"a","download_url":"u"}]})", R"({"version":123})",
        R"({"version":null})", R"({"data":{"version":"1.2.3"}})", R"({"Version":"1.2.3"})"}) {
    EXPECT_FALSE(parse_release(body).has_value()) << body;
  }
}

TEST(ParseRelease, TopLevelMembersAndDefaults) {
  const struct {
    const char* body;
    ReleaseInfo expected;
  } cases[] = {
      {R"({"version":"1.2.3"})", {"1.2.3", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"1.2.3","changelog":"修复","channel":"beta","min_os_version":"10.0"})",
       {"1.2.3", "修复", "beta", "10.0", {}, "", "", std::nullopt}},
      {R"({"version":"2","changelog":5,"channel":null,"min_os_version":[],"files":{}})",
       {"2", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"2","files":"x"})", {"2", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"v"} trailing text)", {"v", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"a","version":"b"})", {"b", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"1","expires":"2030-01-01T00:00:00Z"})", {"1", "", "stable", "", {}, "2030-01-01T00:00:00Z", "", std::nullopt}},
      {R"({"version":"1","expires":20300101})", {"1", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"1","software_id":"orvane","sequence":1765000000123})",
       {"1", "", "stable", "", {}, "", "orvane", 1765000000123}},
      {R"({"version":"1","sequence":9007199254740992})", {"1", "", "stable", "", {}, "", "", int64_t{1} << 53}},
      // (read as a double, which rounds it to 2^53)
      {R"({"version":"1","sequence":9007199254740993e0})", {"1", "", "stable", "", {}, "", "", int64_t{1} << 53}},
      // A sequence that is no whole number in 0..2^53 is none.
      {R"({"version":"1","sequence":9007199254740994})", {"1", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"1","sequence":1.5})", {"1", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"1","sequence":-1})", {"1", "", "stable", "", {}, "", "", std::nullopt}},
      {R"({"version":"1","sequence":"5","software_id":5})", {"1", "", "stable", "", {}, "", "", std::nullopt}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    const std::optional<ReleaseInfo> release = parse_release(c.body);
    ASSERT_TRUE(release.has_value());
    EXPECT_EQ(release->version, c.expected.version);
    EXPECT_EQ(release->changelog, c.expected.changelog);
    EXPECT_EQ(release->channel, c.expected.channel);
    EXPECT_EQ(release->min_os_version, c.expected.min_os_version);
    EXPECT_EQ(release->expires, c.expected.expires);
    EXPECT_EQ(release->software_id, c.expected.software_id);
    EXPECT_EQ(release->sequence, c.expected.sequence);
    EXPECT_TRUE(release->files.empty());
  }
}

std::vector<ReleaseFile> files_of(const std::string& files_json) {
  const std::optional<ReleaseInfo> release =
      parse_release(R"({"version":"1","files":)" + files_json + "}");
  EXPECT_TRUE(release.has_value());
  return release ? release->files : std::vector<ReleaseFile>{};
}

TEST(ParseRelease, DeltasKeepOnlyEntriesWithAUrl) {
  const struct {
    const char* deltas;
    std::vector<ReleaseDelta> expected;
  } cases[] = {
      {R"([{"base_sha256":"b1","download_url":"u1","file_size":12.7,"sha256":"s1"},
           {"base_sha256":"b2","download_url":"u2"}])",
       {{"b1", "u1", 12, "s1"}, {"b2", "u2", 0, ""}}},
      // Not objects, no URL, an empty URL: dropped; wrong kinds of members read as absent.
      {R"([1, "u", null, [], {"base_sha256":"b"}, {"download_url":""},
           {"download_url":"u","base_sha256":5,"sha256":["s"],"file_size":"9"}])",
       {{"", "u", 0, ""}}},
      {R"({"download_url":"u"})", {}},
      {R"("u")", {}},
      {"[]", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.deltas);
    const std::vector<ReleaseFile> files = files_of(
        std::string(R"([{"file_path":"p","download_url":"u","deltas":)") + c.deltas + "}]");
    ASSERT_EQ(files.size(), 1u);
    ASSERT_EQ(files[0].deltas.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(files[0].deltas[i].base_sha256, c.expected[i].base_sha256);
      EXPECT_EQ(files[0].deltas[i].download_url, c.expected[i].download_url);
      EXPECT_EQ(files[0].deltas[i].file_size, c.expected[i].file_size);
      EXPECT_EQ(files[0].deltas[i].sha256, c.expected[i].sha256);
    }
  }
}

TEST(ParseRelease, FileEntryMembersKindsAndDefaults) {
  const struct {
    const char* entry;
    ReleaseFile expected;
  } cases[] = {
      {R"({"file_path":"a/b.pak","download_url":"u"})", {"a/b.pak", 0, "", "", "u", true, 0, {}}},
      {R"({"file_path":"p","download_url":"u","file_size":1048576,"checksum_sha256":"ab",
           "zip_checksum":"cd","compressed":false,"sort_order":7})",
       {"p", 1048576, "ab", "cd", "u", false, 7, {}}},
      {R"({"file_path":"p","download_url":"u","file_size":"1048576","compressed":"false",
           "sort_order":"3","checksum_sha256":1,"zip_checksum":null})",
       {"p", 0, "", "", "u", true, 0, {}}},
      {R"({"file_path":"p","download_url":"u","file_size":1234.9,"sort_order":-3.7})",
       {"p", 1234, "", "", "u", true, -3, {}}},
      {R"({"file_path":"p","download_url":"u","file_size":-0.5,"sort_order":2147483647.9})",
       {"p", 0, "", "", "u", true, 2147483647, {}}},
      {R"({"file_path":"p","download_url":"u","file_size":1e300,"sort_order":-1e300})",
       {"p",
        std::numeric_limits<int64_t>::max(),
        "",
        "",
        "u",
        true,
        std::numeric_limits<int32_t>::min(),
        {}}},
      {R"({"file_path":"p","download_url":"u","file_size":9007199254740993})",
       {"p", 9007199254740992, "", "", "u", true, 0, {}}},  // as the double holds it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    const std::vector<ReleaseFile> files = files_of(std::string("[") + c.entry + "]");
    ASSERT_EQ(files.size(), 1u);
    const ReleaseFile& f = files[0];
    EXPECT_EQ(f.file_path, c.expected.file_path);
    EXPECT_EQ(f.file_size, c.expected.file_size);
    EXPECT_EQ(f.checksum_sha256, c.expected.checksum_sha256);
    EXPECT_EQ(f.zip_checksum, c.expected.zip_checksum);
    EXPECT_EQ(f.download_url, c.expected.download_url);
    EXPECT_EQ(f.compressed, c.expected.compressed);
    EXPECT_EQ(f.sort_order, c.expected.sort_order);
  }
}

TEST(ParseRelease, DropsIncompleteEntriesAndKeepsTheOrderOfTheRest) {
  const std::vector<ReleaseFile> files = files_of(R"([
      {"file_path":"first","download_url":"u1","sort_order":9},
      {"file_path":"no-url"},
      {"file_path":5,"download_url":"u3"},
      {"file_path":"","download_url":"u4"},
      {"file_path":"empty-url","download_url":""},
      "a string", 7, null, [{"file_path":"nested","download_url":"u"}],
      {"file_path":"second","download_url":"u2","sort_order":1},
      {"file_path":"second","download_url":"u2"}
  ])");
  std::vector<std::string> paths;
  for (const ReleaseFile& f : files) paths.push_back(f.file_path);
  EXPECT_EQ(paths, (std::vector<std::string>{"first", "second", "second"}));
}

TEST(ParseRelease, KeepsUtf8AndOtherBytesUnchanged) {
  const std::optional<ReleaseInfo> release = parse_release(
      "{\"version\":\"1.0 \xE6\xB5\x8B\",\"files\":[{\"file_path\":\"\xE8\xB5\x84/\xFF.pak\","
      "\"download_url\":\"http://h/\\u00e9\"}]}");
  ASSERT_TRUE(release.has_value());
  EXPECT_EQ(release->version, "1.0 \xE6\xB5\x8B");
  ASSERT_EQ(release->files.size(), 1u);
  EXPECT_EQ(release->files[0].file_path, "\xE8\xB5\x84/\xFF.pak");
  EXPECT_EQ(release->files[0].download_url, "http://h/\xC3\xA9");
}

TEST(TotalFileSize, SaturatesInsteadOfOverflowing) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const struct {
    std::vector<int64_t> sizes;
    int64_t total;
  } cases[] = {
      {{}, 0},
      {{1048576, 524288}, 1572864},
      {{kMax, 1}, kMax},
      {{kMax, 1, -5}, kMax},  // once at the ceiling, it stays there
      {{kMax - 1, 1}, kMax},
      {{kMin, -1}, kMin},
      {{-3, 5}, 2},
  };
  for (const auto& c : cases) {
    ReleaseInfo release;
    for (int64_t size : c.sizes) {
      ReleaseFile file;
      file.file_size = size;
      release.files.push_back(file);
    }
    EXPECT_EQ(total_file_size(release), c.total) << testing::PrintToString(c.sizes);
  }
}

}  // namespace
