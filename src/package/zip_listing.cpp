#include "package/zip_listing.h"

#include <algorithm>

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kEnd64LocatorSignature = 0x07064b50;
constexpr uint32_t kEnd64Signature = 0x06064b50;
constexpr uint32_t kEntrySignature = 0x02014b50;
constexpr size_t kEndSize = 22;
constexpr size_t kEnd64LocatorSize = 20;
constexpr size_t kEnd64Size = 56;
constexpr size_t kEntrySize = 46;
constexpr size_t kMaxCommentSize = 0xFFFF;
constexpr uint16_t kUtf8NameFlag = 1u << 11;
constexpr uint32_t kSaturated32 = 0xFFFFFFFF;
constexpr uint16_t kSaturated16 = 0xFFFF;
// A directory larger than this is not a release's: refused rather than read into memory.
constexpr uint64_t kMaxDirectorySize = 256ull * 1024 * 1024;

uint64_t little_endian(const std::string& bytes, size_t at, size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

struct Directory {
  uint64_t offset = 0;
  uint64_t size = 0;
  uint64_t entries = 0;
};

std::optional<Directory> find_directory(uint64_t archive_size, const ZipReader& read_at) {
  if (archive_size < kEndSize) return std::nullopt;
  const uint64_t tail_size = std::min<uint64_t>(archive_size, kEndSize + kMaxCommentSize);
  const uint64_t tail_offset = archive_size - tail_size;
  const std::optional<std::string> tail = read_at(tail_offset, static_cast<size_t>(tail_size));
  if (!tail || tail->size() != tail_size) return std::nullopt;
  // The end record is the last one whose comment reaches exactly to the end of the archive.
  for (size_t at = tail->size() - kEndSize + 1; at-- > 0;) {
    if (little_endian(*tail, at, 4) != kEndSignature) continue;
    if (at + kEndSize + little_endian(*tail, at + 20, 2) != tail->size()) continue;
    Directory directory{little_endian(*tail, at + 16, 4), little_endian(*tail, at + 12, 4),
                        little_endian(*tail, at + 10, 2)};
    const bool zip64 = directory.offset == kSaturated32 || directory.size == kSaturated32 ||
                       directory.entries == kSaturated16;
    if (!zip64) return directory;
    const uint64_t end_offset = tail_offset + at;
    if (end_offset < kEnd64LocatorSize) return std::nullopt;
    const std::optional<std::string> locator = read_at(end_offset - kEnd64LocatorSize, kEnd64LocatorSize);
    if (!locator || locator->size() != kEnd64LocatorSize ||
        little_endian(*locator, 0, 4) != kEnd64LocatorSignature) {
      return std::nullopt;
    }
    const std::optional<std::string> end64 = read_at(little_endian(*locator, 8, 8), kEnd64Size);
    if (!end64 || end64->size() != kEnd64Size || little_endian(*end64, 0, 4) != kEnd64Signature) {
      return std::nullopt;
    }
    return Directory{little_endian(*end64, 48, 8), little_endian(*end64, 40, 8),
                     little_endian(*end64, 32, 8)};
  }
  return std::nullopt;
}

bool is_ascii(const std::string& name) {
  return std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
}

}  // namespace

std::optional<std::vector<std::string>> zip_file_names(uint64_t archive_size,
                                                       const ZipReader& read_at) {
  const std::optional<Directory> directory = find_directory(archive_size, read_at);
  if (!directory || directory->size > kMaxDirectorySize ||
      directory->offset > archive_size || directory->size > archive_size - directory->offset) {
    return std::nullopt;
  }
  const std::optional<std::string> bytes = read_at(directory->offset, static_cast<size_t>(directory->size));
  if (!bytes || bytes->size() != directory->size) return std::nullopt;
  std::vector<std::string> names;
  size_t at = 0;
  for (uint64_t i = 0; i < directory->entries; ++i) {
    if (bytes->size() - at < kEntrySize || little_endian(*bytes, at, 4) != kEntrySignature) {
      return std::nullopt;
    }
    const auto flags = static_cast<uint16_t>(little_endian(*bytes, at + 8, 2));
    const size_t name_size = little_endian(*bytes, at + 28, 2);
    const size_t rest = name_size + little_endian(*bytes, at + 30, 2) + little_endian(*bytes, at + 32, 2);
    if (bytes->size() - at - kEntrySize < rest) return std::nullopt;
    std::string name = bytes->substr(at + kEntrySize, name_size);
    at += kEntrySize + rest;
    if (name.empty() || name.back() == '/') continue;
    if ((flags & kUtf8NameFlag) == 0 && !is_ascii(name)) continue;
    names.push_back(std::move(name));
  }
  return names;
}
