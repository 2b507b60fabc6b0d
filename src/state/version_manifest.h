// "orvane-version.json": what an installation holds, package by package.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kVersionManifestName = "orvane-version.json";

struct ManifestEntry {
  std::string file_path;
  std::string checksum_sha256;  // as the release service sent it; may be empty
};

struct VersionManifest {
  std::string version;
  std::string channel;
  std::vector<ManifestEntry> files;  // in install order
  // A signed build's: the sequence of the answer installed from (and the key sequence it was
  // signed under), written as "sequence" and "key_sequence" only when there is one, so that an
  // update never takes an older answer even where the user's own record of it is gone.
  std::optional<int64_t> sequence;
  int64_t key_sequence = 0;
};

// dir + "orvane-version.json", with one backslash between unless dir is empty or ends in one.
std::filesystem::path VersionManifestPath(const std::filesystem::path::string_type& dir);

// The manifest as JSON text: indent 0, keys in byte order, no final line feed.
std::string VersionManifestText(const VersionManifest& manifest);

bool WriteVersionManifest(const VersionManifest& manifest,
                          const std::filesystem::path::string_type& dir);

// Absent when the file is missing, unreadable, not a JSON object, or has no non-empty "version".
std::optional<VersionManifest> ReadVersionManifest(const std::filesystem::path::string_type& dir);

// The checksum of the first entry whose file_path equals file_path byte for byte.
std::optional<std::string> FindRecordedChecksum(const VersionManifest& manifest,
                                                const std::string& file_path);
