// Staging a changed package from one of its deltas instead of its full download. A delta only
// changes how the staged files are made: they are checked against the release's digests exactly
// as a full package's are, and any failure leaves the full package to the caller.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "net/release.h"
#include "updater/staged_package.h"

// The delta of `file` that applies to this installation: the first whose base is the digest of
// the installed file at file_path, computed from the file. None when the release has no digest
// of the result to check it by.
std::optional<ReleaseDelta> ChooseDelta(const ReleaseFile& file, const std::wstring& install_dir);

// The delta as a download: its URL, size and digest, checked as a plain package's bytes are.
ReleaseFile DeltaDownload(const ReleaseFile& file, const ReleaseDelta& delta);

// Stages package `index` from its downloaded delta at `delta_path` into staging\<index>, as the
// full package would have staged: a plain file, or a zip's changed and new files with the file at
// file_path always among them and the zip's record of every file it holds. Files a zip keeps
// unchanged stay where they are, after their installed digest was found to be the new one.
// Nothing when the delta does not make the release's bytes; the delta's files are removed either
// way.
std::optional<StagedPackage> StageDelta(const ReleaseFile& file, size_t index,
                                        const std::wstring& staging,
                                        const std::wstring& install_dir,
                                        const std::wstring& delta_path,
                                        const std::atomic<bool>& cancel);
