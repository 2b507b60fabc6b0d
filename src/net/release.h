// A release as the release service describes it, and reading it from the service's answer.
// Portable: no platform headers. Strings hold the service's UTF-8 bytes unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kSoftwareId = "orvane_browser_150";
inline constexpr std::string_view kReleaseChannel = "stable";
inline constexpr std::string_view kDefaultChannel = "stable";

// A patch that makes a file's new bytes from one earlier version of its installed bytes.
struct ReleaseDelta {
  std::string base_sha256;   // digest of the installed file it applies to
  std::string download_url;  // never empty
  int64_t file_size = 0;     // bytes downloaded
  std::string sha256;        // digest of the downloaded bytes; empty: not checked
};

struct ReleaseFile {
  std::string file_path;        // relative to the installation directory; never empty
  int64_t file_size = 0;        // bytes
  std::string checksum_sha256;  // digest of the installed file; empty: not checked
  std::string zip_checksum;     // digest of the downloaded file; empty: not checked
  std::string download_url;     // never empty
  bool compressed = true;       // a .zip to extract, else the file itself
  int32_t sort_order = 0;       // carried, not used for ordering
  std::vector<ReleaseDelta> deltas;  // optional; the package itself is always the fallback
};

struct ReleaseInfo {
  std::string version;  // never empty in a parsed release
  std::string changelog;
  std::string channel;
  std::string min_os_version;
  std::vector<ReleaseFile> files;  // in the service's order
  std::string expires;  // "YYYY-MM-DDTHH:MM:SSZ" in a signed answer; empty when absent
  std::string software_id;  // the product the answer is for; empty when absent
  // Raised by the release tool with every answer it publishes; absent unless a whole number
  // in 0..2^53.
  std::optional<int64_t> sequence;
  // Set by a signed build once the answer is taken: the key sequence it was signed under (its
  // online key's certificate's, or the one taken before for a root key's own answer).
  int64_t key_sequence = 0;
};

// base_url without one trailing '/', then the API path, id and channel, joined verbatim.
std::string release_url(std::string_view base_url, std::string_view software_id,
                        std::string_view channel);

// The service's JSON body as a release; absent when it does not parse, is not an object at the
// top level, or has no non-empty string "version". Malformed file entries are dropped.
std::optional<ReleaseInfo> parse_release(std::string_view body);

// Sum of the packages' file sizes for the release card; stays at the int64 maximum instead of
// overflowing (the service's sizes are not to be trusted).
int64_t total_file_size(const ReleaseInfo& release);
