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

// Records `version` in an object's text and writes it to out_path.
bool write_with_product_version(const std::string& text, const std::string& version,
                                const std::filesystem::path& out_path) {
  std::optional<JsonValue> document = json_parse(text);
  if (!document || document->kind != JsonKind::Object) return false;
  document->members.erase(kVersionKey);
  document->members[kProductVersionKey] = JsonValue(version);
  return WriteFileText(out_path, json_dump(*document, 0));
}

}  // namespace

bool SetConfigProductVersion(const std::filesystem::path& config_path, const std::string& version) {
  const std::optional<std::string> text = ReadFileText(config_path);
  if (!text) return false;
  return write_with_product_version(*text, version, config_path);
}

bool MergeConfigFile(const std::filesystem::path& installed_path,
                     const std::filesystem::path& new_path, const std::string& version,
                     const std::filesystem::path& out_path) {
  const std::optional<std::string> fresh = ReadFileText(new_path);
  if (!fresh) return false;
  const std::optional<std::string> installed = ReadFileText(installed_path);
  const std::string merged = installed ? json_merge_text(*installed, *fresh) : *fresh;
  return write_with_product_version(merged, version, out_path);
}

std::string ReadInstalledVersion(const std::filesystem::path::string_type& dir) {
  std::filesystem::path::string_type config_path = dir;
#ifdef _WIN32
  config_path += L"\\orvane-config.json";
#else
  config_path += "/orvane-config.json";
#endif
  if (const std::optional<std::string> text = ReadFileText(config_path)) {
    const std::optional<JsonValue> document = json_parse(*text);
    if (document && document->kind == JsonKind::Object) {
      const std::string product_version = document->get_string(kProductVersionKey).value_or("");
      if (!product_version.empty()) return product_version;
    }
  }
  if (const std::optional<VersionManifest> manifest = ReadVersionManifest(dir)) {
    return manifest->version;
  }
  return {};
}
