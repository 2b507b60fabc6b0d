#include "package/zip_delta.h"

#include <cmath>
#include <utility>

#include "json/json_parse.h"
#include "json/json_value.h"
#include "package/package_path.h"

namespace {

// Past 2^53 a JSON number no longer holds every whole number.
constexpr double kMaxSize = 9007199254740992.0;

std::optional<uint64_t> read_size(const JsonValue& entry) {
  const std::optional<double> size = entry.get_number("size");
  if (!size || !(*size >= 0 && *size <= kMaxSize) || std::trunc(*size) != *size)
    return std::nullopt;
  return static_cast<uint64_t>(*size);
}

std::optional<ZipDeltaMember> read_member(const JsonValue& entry) {
  if (entry.kind != JsonKind::Object) return std::nullopt;
  const std::optional<std::string> file_path = entry.get_string("file_path");
  const std::optional<std::string> sha256 = entry.get_string("sha256");
  const std::optional<uint64_t> size = read_size(entry);
  if (!file_path || !safe_relative_path(*file_path) || !sha256 || sha256->empty() || !size) {
    return std::nullopt;
  }
  ZipDeltaMember member{*file_path, *sha256, *size, {}, {}};
  if (entry.find("base_sha256") != nullptr) {
    const std::optional<std::string> base = entry.get_string("base_sha256");
    if (!base || base->empty()) return std::nullopt;
    member.base_sha256 = *base;
  }
  if (entry.find("patch") != nullptr) {
    const std::optional<std::string> patch = entry.get_string("patch");
    if (!patch || !safe_relative_path(*patch)) return std::nullopt;
    member.patch = *patch;
  }
  if (member.patch.empty() && member.base_sha256 != member.sha256) return std::nullopt;
  return member;
}

}  // namespace

std::optional<std::vector<ZipDeltaMember>> parse_zip_delta(std::string_view text) {
  const std::optional<JsonValue> document = json_parse(text);
  if (!document || document->kind != JsonKind::Object) return std::nullopt;
  const std::vector<JsonValue>* entries = document->get_array("members");
  if (entries == nullptr) return std::nullopt;
  std::vector<ZipDeltaMember> members;
  for (const JsonValue& entry : *entries) {
    std::optional<ZipDeltaMember> member = read_member(entry);
    if (!member) return std::nullopt;
    members.push_back(std::move(*member));
  }
  return members;
}
