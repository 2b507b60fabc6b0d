#include "state/version_manifest.h"

#include <cmath>
#include <map>
#include <utility>

#include "json/json_dump.h"
#include "json/json_parse.h"
#include "json/json_value.h"
#include "state/file_text.h"

namespace {

using String = std::filesystem::path::string_type;

constexpr const char* kDefaultChannel = "stable";
// Past 2^53 a JSON number no longer holds every whole number.
constexpr double kMaxSequence = 9007199254740992.0;

std::optional<int64_t> whole_number(const JsonValue& document, const char* name) {
  const std::optional<double> value = document.get_number(name);
  if (!value || !(*value >= 0 && *value <= kMaxSequence) || std::trunc(*value) != *value) {
    return std::nullopt;
  }
  return static_cast<int64_t>(*value);
}

}  // namespace

std::filesystem::path VersionManifestPath(const String& dir) {
  return FileInDirectory(dir, kVersionManifestName);
}

std::string VersionManifestText(const VersionManifest& manifest) {
  std::vector<JsonValue> files;
  files.reserve(manifest.files.size());
  for (const ManifestEntry& entry : manifest.files) {
    files.emplace_back(
        std::map<std::string, JsonValue>{{"file_path", JsonValue(entry.file_path)},
                                         {"checksum_sha256", JsonValue(entry.checksum_sha256)}});
  }
  std::map<std::string, JsonValue> members{{"version", JsonValue(manifest.version)},
                                           {"channel", JsonValue(manifest.channel)},
                                           {"files", JsonValue(std::move(files))}};
  if (manifest.sequence) {
    members["sequence"] = JsonValue(static_cast<double>(*manifest.sequence));
    members["key_sequence"] = JsonValue(static_cast<double>(manifest.key_sequence));
  }
  return json_dump(JsonValue(std::move(members)), 0);
}

bool WriteVersionManifest(const VersionManifest& manifest, const String& dir) {
  return WriteFileText(VersionManifestPath(dir), VersionManifestText(manifest));
}

std::optional<VersionManifest> ReadVersionManifest(const String& dir) {
  const std::optional<std::string> text = ReadFileText(VersionManifestPath(dir));
  if (!text) return std::nullopt;
  const std::optional<JsonValue> document = json_parse(*text);
  if (!document || document->kind != JsonKind::Object) return std::nullopt;

  VersionManifest manifest;
  manifest.version = document->get_string("version").value_or("");
  if (manifest.version.empty()) return std::nullopt;
  manifest.channel = document->get_string("channel").value_or(kDefaultChannel);
  manifest.sequence = whole_number(*document, "sequence");
  manifest.key_sequence = whole_number(*document, "key_sequence").value_or(0);
  if (const std::vector<JsonValue>* files = document->get_array("files")) {
    for (const JsonValue& element : *files) {
      if (element.kind != JsonKind::Object) continue;
      ManifestEntry entry{element.get_string("file_path").value_or(""),
                          element.get_string("checksum_sha256").value_or("")};
      if (!entry.file_path.empty()) manifest.files.push_back(std::move(entry));
    }
  }
  return manifest;
}

std::optional<std::string> FindRecordedChecksum(const VersionManifest& manifest,
                                                const std::string& file_path) {
  for (const ManifestEntry& entry : manifest.files) {
    if (entry.file_path == file_path) return entry.checksum_sha256;
  }
  return std::nullopt;
}
