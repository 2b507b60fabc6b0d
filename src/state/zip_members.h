// "orvane-zip-members.json": the files each zip package of an installation placed, with their
// digests and the package's zip_checksum, so that an update knows when a zip changed and what
// it no longer delivers, and an uninstall removes every file of ours. Installations made before
// this file existed have none: for them only orvane-version.json's files are known.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kZipMembersName = "orvane-zip-members.json";

struct ZipMember {
  std::string file_path;  // relative to the installation, as stored in the zip (UTF-8)
  std::string checksum_sha256;
};

struct ZipRecord {
  std::string file_path;     // the package's file_path
  std::string zip_checksum;  // as the release service sent it; may be empty
  std::vector<ZipMember> members;
};

struct ZipMembers {
  std::vector<ZipRecord> packages;
};

std::filesystem::path ZipMembersPath(const std::filesystem::path::string_type& dir);

// JSON text: indent 0, keys in byte order, no final line feed.
std::string ZipMembersText(const ZipMembers& records);

// Absent when the file is missing, unreadable or not a JSON object.
std::optional<ZipMembers> ReadZipMembers(const std::filesystem::path::string_type& dir);

// The record of the package whose file_path equals file_path byte for byte.
const ZipRecord* FindZipRecord(const ZipMembers& records, const std::string& file_path);
