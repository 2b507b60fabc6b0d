// Staging one downloaded and checked package of an update: its files unpacked (or moved) into a
// folder of the staging area of their own, checked, with the zip's record.
#pragma once

#include <atomic>
#include <string>

#include "net/release.h"
#include "package/fetch_package.h"
#include "package/package_failure.h"
#include "updater/staged_package.h"

// Stages package `index` into staging\<index> (emptied first: what an earlier run left must
// never pass for this package). A zip that holds one of the installation's records is refused
// before anything is unpacked; a set `cancel` stops an extraction under way.
PackageOutcome<StagedPackage> StagePackage(const ReleaseFile& file, size_t index,
                                           const std::wstring& staging,
                                           const DownloadedPackage& download,
                                           const std::atomic<bool>& cancel);
