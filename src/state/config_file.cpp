#include "state/config_file.h"

#include <optional>

#include "json/json_dump.h"
#include "json/json_parse.h"
#include "json/json_value.h"
#include "state/file_text.h"
#include "state/version_manifest.h"

namespace {

constexpr const char* kProductVersionKey = "product_version";
constexpr const char* kVersionKey = "version";

bool is_object(const std::optional<JsonValue>& document) {
  return document && document->kind == JsonKind::Object;
}

// Records `version` in an object's text and writes it to out_path.
ConfigWrite write_with_product_version(const std::string& text, const std::string& version,
                                       const std::filesystem::path& out_path) {
  std::optional<JsonValue> document = json_parse(text);
  if (!is_object(document)) return ConfigWrite::NotAnObject;
  document->members.erase(kVersionKey);
  document->members[kProductVersionKey] = JsonValue(version);
  return WriteFileText(out_path, json_dump(*document, 0)) ? ConfigWrite::Written
                                                          : ConfigWrite::WriteFailed;
}

}  // namespace

ConfigWrite RecordProductVersion(const std::filesystem::path& config_path,
                                 const std::string& version) {
  return RecordProductVersion(config_path, version, config_path);
}

ConfigWrite RecordProductVersion(const std::filesystem::path& config_path,
                                 const std::string& version,
                                 const std::filesystem::path& out_path) {
  const std::optional<std::string> text = ReadFileText(config_path);
  if (!text) return ConfigWrite::NoFile;
  return write_with_product_version(*text, version, out_path);
}

bool SetConfigProductVersion(const std::filesystem::path& config_path, const std::string& version) {
  return RecordProductVersion(config_path, version) == ConfigWrite::Written;
}

bool KeepConfigValues(const std::filesystem::path& config_path, const std::string& kept_text) {
  const std::optional<std::string> current = ReadFileText(config_path);
  if (!current || *current == kept_text) return true;
  if (!is_object(json_parse(kept_text)) || !is_object(json_parse(*current))) return true;
  const std::string merged = json_merge_text(kept_text, *current);
  return merged == *current || WriteFileText(config_path, merged);
}

bool MergeConfigFile(const std::filesystem::path& installed_path,
                     const std::filesystem::path& new_path, const std::string& version,
                     const std::filesystem::path& out_path) {
  const std::optional<std::string> fresh = ReadFileText(new_path);
  if (!fresh) return false;
  const std::optional<std::string> installed = ReadFileText(installed_path);
  const std::string merged = installed ? json_merge_text(*installed, *fresh) : *fresh;
  return write_with_product_version(merged, version, out_path) == ConfigWrite::Written;
}

std::string ReadInstalledVersion(const std::filesystem::path::string_type& dir) {
  if (const std::optional<std::string> text = ReadFileText(FileInDirectory(dir, kConfigFileName))) {
    const std::optional<JsonValue> document = json_parse(*text);
    if (is_object(document)) {
      const std::string product_version = document->get_string(kProductVersionKey).value_or("");
      if (!product_version.empty()) return product_version;
    }
  }
  if (const std::optional<VersionManifest> manifest = ReadVersionManifest(dir)) {
    return manifest->version;
  }
  return {};
}
