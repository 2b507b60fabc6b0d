// "orvane-config.json": delivered by a package; the installer records the product version in it.
#pragma once

#include <filesystem>
#include <string>

inline constexpr const char* kConfigFileName = "orvane-config.json";

// Sets "product_version" to `version` and removes "version"; false (and nothing written) when
// the file is missing or is not a JSON object.
bool SetConfigProductVersion(const std::filesystem::path& config_path, const std::string& version);

// The installed config's values win over the new one's, keys only the new one has are added
// (recursively); then as SetConfigProductVersion, written to out_path.
bool MergeConfigFile(const std::filesystem::path& installed_path,
                     const std::filesystem::path& new_path, const std::string& version,
                     const std::filesystem::path& out_path);

// The config's non-empty "product_version", else the version manifest's version, else "".
std::string ReadInstalledVersion(const std::filesystem::path::string_type& dir);
