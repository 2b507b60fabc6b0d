#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "state/config_file.h"
#include "state/file_text.h"
#include "state/version_manifest.h"

namespace {

namespace fs = std::filesystem;

class StateFiles : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("orvane-state-" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetWriteFileTextHook(nullptr);
    fs::remove_all(dir_);
  }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::string read(const std::string& name) { return ReadFileText(dir_ / name).value_or("<none>"); }
  fs::path::string_type dir() const { return dir_.native(); }

  fs::path dir_;
};

TEST_F(StateFiles, ManifestBytesAndRoundTrip) {
  const VersionManifest manifest{
      "150.0.1",
      "stable",
      {{"chrome.exe", "ab12"}, {"locales/zh.pak", ""}, {"chrome.exe", "x"}},
      std::nullopt,
      0};
  ASSERT_TRUE(WriteVersionManifest(manifest, dir()));
  EXPECT_EQ(
      read(kVersionManifestName),
      "{\n  \"channel\": \"stable\",\n  \"files\": [\n    {\n      \"checksum_sha256\": \"ab12\",\n"
      "      \"file_path\": \"chrome.exe\"\n    },\n    {\n      \"checksum_sha256\": \"\",\n"
      "      \"file_path\": \"locales/zh.pak\"\n    },\n    {\n      \"checksum_sha256\": \"x\",\n"
      "      \"file_path\": \"chrome.exe\"\n    }\n  ],\n  \"version\": \"150.0.1\"\n}");
  const auto back = ReadVersionManifest(dir());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->version, "150.0.1");
  EXPECT_EQ(back->files.size(), 3u);
  EXPECT_EQ(FindRecordedChecksum(*back, "chrome.exe"), "ab12");  // the first entry wins
  EXPECT_EQ(FindRecordedChecksum(*back, "locales/zh.pak"), "");
  EXPECT_EQ(FindRecordedChecksum(*back, "CHROME.EXE"), std::nullopt);
}

// A signed build's records keep the answer's mark; nothing else changes in the bytes.
TEST_F(StateFiles, ManifestKeepsTheSignedAnswersMark) {
  ASSERT_TRUE(WriteVersionManifest({"2.0", "stable", {}, int64_t{1} << 53, 3}, dir()));
  EXPECT_EQ(read(kVersionManifestName),
            "{\n  \"channel\": \"stable\",\n  \"files\": [],\n  \"key_sequence\": 3,\n"
            "  \"sequence\": 9007199254740992,\n  \"version\": \"2.0\"\n}");
  const auto back = ReadVersionManifest(dir());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(std::make_pair(back->sequence, back->key_sequence),
            std::make_pair(std::optional<int64_t>(int64_t{1} << 53), int64_t{3}));
  // A mark that is no whole number in 0..2^53 is none.
  for (const char* sequence : {"-1", "1.5", "\"7\"", "9007199254740994"}) {
    write(kVersionManifestName, std::string(R"({"version": "2.0", "sequence": )") + sequence + "}");
    ASSERT_TRUE(ReadVersionManifest(dir()).has_value()) << sequence;
    EXPECT_EQ(ReadVersionManifest(dir())->sequence, std::nullopt) << sequence;
  }
}

TEST_F(StateFiles, ManifestReading) {
  const struct {
    const char* text;
    const char* version;  // nullptr: absent
    const char* channel;
    size_t files;
  } cases[] = {
      {R"({"files":[{"file_path":"a"}]})", nullptr, "", 0},
      {R"({"version":"","files":[]})", nullptr, "", 0},
      {R"({"version":3})", nullptr, "", 0},
      {"[]", nullptr, "", 0},
      {"not json", nullptr, "", 0},
      {R"({"version":"1"})", "1", "stable", 0},
      {"\xEF\xBB\xBF{\"version\":\"1\",\"channel\":\"beta\"}  \r\n", "1", "beta", 0},
      {R"({"version":"1","files":[{"file_path":""},{"checksum_sha256":"c"},7,{"file_path":"k"}]})",
       "1", "stable", 1},
      {R"({"version":"1","files":{"file_path":"a"}})", "1", "stable", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    write(kVersionManifestName, c.text);
    const auto manifest = ReadVersionManifest(dir());
    ASSERT_EQ(manifest.has_value(), c.version != nullptr);
    if (!manifest) continue;
    EXPECT_EQ(manifest->version, c.version);
    EXPECT_EQ(manifest->channel, c.channel);
    EXPECT_EQ(manifest->files.size(), c.files);
  }
  fs::remove(dir_ / kVersionManifestName);
  EXPECT_FALSE(ReadVersionManifest(dir()).has_value());
}

TEST_F(StateFiles, ManifestPathSeparators) {
  const fs::path::string_type name = fs::path(kVersionManifestName).native();
  EXPECT_EQ(VersionManifestPath({}).native(), name);
  for (const char* trailing : {"\\", "/"}) {
    auto d = dir();
    d += fs::path(trailing).native();
    EXPECT_EQ(VersionManifestPath(d).native(), d + name);
  }
}

TEST_F(StateFiles, ConfigProductVersion) {
  const fs::path config = dir_ / kConfigFileName;
  EXPECT_EQ(RecordProductVersion(config, "2.0"), ConfigWrite::NoFile);
  EXPECT_FALSE(fs::exists(config));  // never created from nothing

  write(kConfigFileName, "[1,2]");
  EXPECT_EQ(RecordProductVersion(config, "2.0"), ConfigWrite::NotAnObject);
  EXPECT_EQ(read(kConfigFileName), "[1,2]");

  // A write that cannot land is told apart from a config that is simply not there.
  write(kConfigFileName, R"({"a":1})");
  SetWriteFileTextHook([](const fs::path&) { return false; });
  EXPECT_EQ(RecordProductVersion(config, "2.0"), ConfigWrite::WriteFailed);
  SetWriteFileTextHook(nullptr);
  EXPECT_EQ(read(kConfigFileName), R"({"a":1})");

  write(kConfigFileName, R"({"version":"old","product_version":7,"z":1,"a":[true]})");
  EXPECT_TRUE(SetConfigProductVersion(config, "2.0"));
  EXPECT_EQ(read(kConfigFileName),
            "{\n  \"a\": [\n    true\n  ],\n  \"product_version\": \"2.0\",\n  \"z\": 1\n}");
}

TEST_F(StateFiles, ConfigMerge) {
  write("installed.json", R"({"a":1,"o":{"x":1},"version":"v"})");
  write("new.json", R"({"a":2,"b":3,"o":{"x":2,"y":2}})");
  ASSERT_TRUE(
      MergeConfigFile(dir_ / "installed.json", dir_ / "new.json", "3.0", dir_ / "new.json"));
  EXPECT_EQ(read("new.json"),
            "{\n  \"a\": 1,\n  \"b\": 3,\n  \"o\": {\n    \"x\": 1,\n    \"y\": 2\n  },\n"
            "  \"product_version\": \"3.0\"\n}");

  write("installed.json", "{broken");
  write("new.json", R"({"a":2,"version":"v"})");
  ASSERT_TRUE(
      MergeConfigFile(dir_ / "installed.json", dir_ / "new.json", "3.0", dir_ / "out.json"));
  EXPECT_EQ(read("out.json"), "{\n  \"a\": 2,\n  \"product_version\": \"3.0\"\n}");
  EXPECT_FALSE(
      MergeConfigFile(dir_ / "installed.json", dir_ / "missing.json", "3.0", dir_ / "o2.json"));
}

// An install over an installation: the package's config replaced the file; what the
// installation had wins, the new keys are added.
TEST_F(StateFiles, KeepConfigValuesAfterAPackage) {
  const struct {
    const char* kept;
    const char* delivered;
    const char* after;
  } cases[] = {
      {R"({"user":"mine","keep":1,"product_version":"1.0"})", R"({"keep":5,"new":{"x":2}})",
       "{\n  \"keep\": 1,\n  \"new\": {\n    \"x\": 2\n  },\n  \"product_version\": \"1.0\",\n"
       "  \"user\": \"mine\"\n}"},
      {R"({"a":1})", R"({"a":1})", R"({"a":1})"},      // untouched by the package
      {"{broken", R"({"a":2})", R"({"a":2})"},         // nothing worth keeping
      {"[1]", R"({"a":2})", R"({"a":2})"},
      {R"({"a":1})", "[2]", "[2]"},                   // the release's own choice stays
  };
  const fs::path config = dir_ / kConfigFileName;
  for (const auto& c : cases) {
    write(kConfigFileName, c.delivered);
    EXPECT_TRUE(KeepConfigValues(config, c.kept)) << c.kept;
    EXPECT_EQ(read(kConfigFileName), c.after) << c.kept;
  }
  fs::remove(config);
  EXPECT_TRUE(KeepConfigValues(config, R"({"a":1})"));  // the package took no config away
  EXPECT_FALSE(fs::exists(config));
}

TEST_F(StateFiles, InstalledVersionPrefersTheConfig) {
  EXPECT_EQ(ReadInstalledVersion(dir()), "");
  WriteVersionManifest({"from-manifest", "stable", {}, std::nullopt, 0}, dir());
  EXPECT_EQ(ReadInstalledVersion(dir()), "from-manifest");
  for (const char* config : {R"({"product_version":""})", R"({"product_version":5})", "[]", "x",
                             R"({"version":"ignored"})"}) {
    write(kConfigFileName, config);
    EXPECT_EQ(ReadInstalledVersion(dir()), "from-manifest") << config;
  }
  write(kConfigFileName, R"({"product_version":"from-config"})");
  EXPECT_EQ(ReadInstalledVersion(dir()), "from-config");
}

// A crash between writing the new text and moving it over the file leaves the old file whole.
TEST_F(StateFiles, InterruptedWriteLeavesTheOldFileWhole) {
  WriteVersionManifest({"1.0", "stable", {{"a", "1"}}, std::nullopt, 0}, dir());
  const std::string before = read(kVersionManifestName);
  // Abandons the write (returns false) at the moment the new text sits complete beside the file.
  SetWriteFileTextHook([](const fs::path& temporary) { return !fs::exists(temporary); });
  EXPECT_FALSE(WriteVersionManifest({"2.0", "stable", {{"b", "2"}}, std::nullopt, 0}, dir()));
  EXPECT_EQ(read(kVersionManifestName), before);
  ASSERT_TRUE(ReadVersionManifest(dir()).has_value());
  EXPECT_EQ(ReadVersionManifest(dir())->version, "1.0");

  SetWriteFileTextHook(nullptr);
  EXPECT_TRUE(WriteVersionManifest({"2.0", "stable", {}, std::nullopt, 0}, dir()));
  EXPECT_EQ(ReadVersionManifest(dir())->version, "2.0");
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_EQ(entry.path().extension(), ".json") << entry.path();  // no temporary file left
  }
}

}  // namespace
