#include "package/zip_listing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;
constexpr uint16_t kUtf8 = 1u << 11;

std::string le(uint64_t value, int width) {
  std::string bytes;
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

struct Entry {
  std::string name;
  uint16_t flags = kUtf8;
};

// An archive as far as the listing reads it: some data, the central directory, the end records.
std::string archive(const std::vector<Entry>& entries, const std::string& comment = "",
                    bool zip64 = false, size_t declared_extra = 0) {
  std::string bytes(100, 'x');  // stands for the local headers and the data
  const uint64_t directory_offset = bytes.size();
  for (const Entry& entry : entries) {
    bytes += le(0x02014b50, 4) + le(20, 2) + le(20, 2) + le(entry.flags, 2) + std::string(18, '\0') +
             le(entry.name.size(), 2) + le(4, 2) + le(0, 2) + std::string(12, '\0') + entry.name +
             std::string("\x55\x54\x00\x00", 4);  // an extra field, skipped
  }
  const uint64_t directory_size = bytes.size() - directory_offset;
  const uint64_t count = entries.size() + declared_extra;
  if (zip64) {
    const uint64_t end64_offset = bytes.size();
    bytes += le(0x06064b50, 4) + le(44, 8) + le(45, 2) + le(45, 2) + le(0, 4) + le(0, 4) +
             le(count, 8) + le(count, 8) + le(directory_size, 8) + le(directory_offset, 8);
    bytes += le(0x07064b50, 4) + le(0, 4) + le(end64_offset, 8) + le(1, 4);
    return bytes + le(0x06054b50, 4) + le(0, 4) + le(0xFFFF, 2) + le(0xFFFF, 2) +
           le(0xFFFFFFFF, 4) + le(0xFFFFFFFF, 4) + le(comment.size(), 2) + comment;
  }
  return bytes + le(0x06054b50, 4) + le(0, 4) + le(count, 2) + le(count, 2) + le(directory_size, 4) +
         le(directory_offset, 4) + le(comment.size(), 2) + comment;
}

std::optional<Names> names_of(const std::string& bytes) {
  return zip_file_names(bytes.size(), [&](uint64_t offset, size_t size) -> std::optional<std::string> {
    if (offset > bytes.size() || size > bytes.size() - offset) return std::nullopt;
    return bytes.substr(offset, size);
  });
}

TEST(ZipFileNames, ListsTheFilesOfTheDirectory) {
  const std::vector<Entry> entries{{"locales/"}, {"locales/zh-CN.pak"}, {"a.txt", 0},
                                   {"\xE8\xB5\x84\xE6\xBA\x90/\xE6\x96\xB0.pak"},
                                   {"\x8E\x9A.pak", 0},  // another code page's bytes: no name of ours
                                   {"empty/", 0}};
  const Names expected{"locales/zh-CN.pak", "a.txt", "\xE8\xB5\x84\xE6\xBA\x90/\xE6\x96\xB0.pak"};
  const struct {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"plain", archive(entries)},
      {"with a comment", archive(entries, "release 2.0")},
      {"a comment that looks like an end record", archive(entries, "PK\x05\x06 not the end")},
      {"zip64", archive(entries, "", true)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::optional<Names> names = names_of(c.bytes);
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, expected);
  }
  EXPECT_EQ(names_of(archive({})), Names{});
}

TEST(ZipFileNames, RefusesWhatHasNoReadableDirectory) {
  const std::string whole = archive({{"a.txt"}, {"b.txt"}});
  const struct {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"not a zip", std::string(4096, 'x')},
      {"cut before its end record", whole.substr(0, whole.size() - 5)},
      {"more entries declared than stored", archive({{"a.txt"}}, "", false, 1)},
      {"zip64 without its record", archive({{"a.txt"}}, "", true).substr(130)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_FALSE(names_of(c.bytes).has_value());
  }
}

}  // namespace
