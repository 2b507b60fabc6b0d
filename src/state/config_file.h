// "orvane-config.json": delivered by a package; the installer records the product version in it.
#pragma once

#include <filesystem>
#include <string>

inline constexpr const char* kConfigFileName = "orvane-config.json";

// Sets "product_version" to `version` and removes "version"; false (and nothing written) when
// the file is missing or is not a JSON object.
bool SetConfigProductVersion(const std::filesystem::path& config_path, const std::string& version);

// What SetConfigProductVersion did, for callers that must tell a failed write (the installation
// would keep a stale version) from a config that simply is not there.
enum class ConfigWrite { Written, NoFile, NotAnObject, WriteFailed };
ConfigWrite RecordProductVersion(const std::filesystem::path& config_path,
                                 const std::string& version);
// The same, written to out_path and leaving config_path as it is (an update stages its records).
ConfigWrite RecordProductVersion(const std::filesystem::path& config_path,
                                 const std::string& version,
                                 const std::filesystem::path& out_path);

// After a package may have replaced the config: when its text differs from `kept_text` (what the
// installation held before) and both are JSON objects, the kept values win again and keys only
// the new file has are added (recursively). True when the file holds that result, or nothing
// needed doing.
bool KeepConfigValues(const std::filesystem::path& config_path, const std::string& kept_text);

// The installed config's values win over the new one's, keys only the new one has are added
// (recursively); then as SetConfigProductVersion, written to out_path.
bool MergeConfigFile(const std::filesystem::path& installed_path,
                     const std::filesystem::path& new_path, const std::string& version,
                     const std::filesystem::path& out_path);

// The config's non-empty "product_version", else the version manifest's version, else "".
std::string ReadInstalledVersion(const std::filesystem::path::string_type& dir);
