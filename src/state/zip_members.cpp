#include "state/zip_members.h"

#include <map>
#include <utility>

#include "json/json_dump.h"
#include "json/json_parse.h"
#include "json/json_value.h"
#include "state/file_text.h"

namespace {

using Members = std::map<std::string, JsonValue>;

}  // namespace

std::filesystem::path ZipMembersPath(const std::filesystem::path::string_type& dir) {
  return FileInDirectory(dir, kZipMembersName);
}

std::string ZipMembersText(const ZipMembers& records) {
  std::vector<JsonValue> packages;
  for (const ZipRecord& record : records.packages) {
    std::vector<JsonValue> members;
    for (const ZipMember& member : record.members) {
      members.emplace_back(Members{{"file_path", JsonValue(member.file_path)},
                                   {"checksum_sha256", JsonValue(member.checksum_sha256)}});
    }
    packages.emplace_back(Members{{"file_path", JsonValue(record.file_path)},
                                  {"zip_checksum", JsonValue(record.zip_checksum)},
                                  {"members", JsonValue(std::move(members))}});
  }
  return json_dump(JsonValue(Members{{"packages", JsonValue(std::move(packages))}}), 0);
}

std::optional<ZipMembers> ReadZipMembers(const std::filesystem::path::string_type& dir) {
  const std::optional<std::string> text = ReadFileText(ZipMembersPath(dir));
  if (!text) return std::nullopt;
  const std::optional<JsonValue> document = json_parse(*text);
  if (!document || document->kind != JsonKind::Object) return std::nullopt;
  ZipMembers records;
  const std::vector<JsonValue>* packages = document->get_array("packages");
  for (const JsonValue& package : packages ? *packages : std::vector<JsonValue>{}) {
    if (package.kind != JsonKind::Object) continue;
    ZipRecord record{package.get_string("file_path").value_or(""),
                     package.get_string("zip_checksum").value_or(""), {}};
    if (record.file_path.empty()) continue;
    if (const std::vector<JsonValue>* members = package.get_array("members")) {
      for (const JsonValue& member : *members) {
        if (member.kind != JsonKind::Object) continue;
        ZipMember entry{member.get_string("file_path").value_or(""),
                        member.get_string("checksum_sha256").value_or("")};
        if (!entry.file_path.empty()) record.members.push_back(std::move(entry));
      }
    }
    records.packages.push_back(std::move(record));
  }
  return records;
}

const ZipRecord* FindZipRecord(const ZipMembers& records, const std::string& file_path) {
  for (const ZipRecord& record : records.packages) {
    if (record.file_path == file_path) return &record;
  }
  return nullptr;
}
