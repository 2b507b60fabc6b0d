#include "updater/update_query.h"

#include "net/release_terms.h"
#include "state/version_manifest.h"

std::optional<ReleaseInfo> FetchUpdateRelease(const std::wstring& install_dir,
                                              std::string_view base_url, std::string* why) {
  // Whatever state the records are in, the mark they hold was taken: it only ever rises.
  const std::optional<VersionManifest> records = ReadVersionManifest(install_dir);
  std::optional<SequenceMark> installed;
  if (records && records->sequence)
    installed = SequenceMark{records->key_sequence, *records->sequence};
  return fetch_latest_release(base_url, kSoftwareId, kReleaseChannel, why,
                              installed ? &*installed : nullptr);
}
