#include "package/release_records.h"

VersionManifest RecordsOf(const ReleaseInfo& release) {
  VersionManifest manifest{
      release.version, release.channel, {}, release.sequence, release.key_sequence};
  for (const ReleaseFile& file : release.files) {
    manifest.files.push_back({file.file_path, file.checksum_sha256});
  }
  return manifest;
}
