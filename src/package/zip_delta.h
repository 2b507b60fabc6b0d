// What a zip package's delta holds: "delta.json", naming every file of the new zip and how it is
// made, beside the patches it names. Portable.
//
//   {"members": [{"file_path": "locales/en.pak", "sha256": "<new digest>", "size": 1234,
//                 "base_sha256": "<installed digest>", "patch": "patches/0.zst"}, ...]}
//
// A member with a base and no patch is kept as installed (its digest must be the new one); with
// a base and a patch it is that patch applied to the installed file; with a patch and no base,
// the patch alone makes it (a file the earlier release did not have).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kZipDeltaManifestName = "delta.json";
// A listing past this is no delta of ours (a zip of 300 000 members lists in less): it is not
// read.
inline constexpr uint64_t kMaxZipDeltaManifestBytes = 16 * 1024 * 1024;

struct ZipDeltaMember {
  std::string file_path;    // as the new zip stores it
  std::string sha256;       // of the new file; never empty
  uint64_t size = 0;        // of the new file, in bytes: what a patch must say it makes
  std::string base_sha256;  // of the installed file it is made from; empty: none
  std::string patch;        // the patch's name inside the delta; empty: kept as installed
};

// Absent when the text is not such a manifest, or any member is malformed: a path or patch name
// that could leave its folder, an empty digest, no size (a whole number up to 2^53), a member
// with neither base nor patch, or one kept as installed whose digest changes.
std::optional<std::vector<ZipDeltaMember>> parse_zip_delta(std::string_view text);
