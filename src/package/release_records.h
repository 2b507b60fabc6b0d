// The records an installation keeps of the release it holds, as both an install and an update
// write them.
#pragma once

#include "net/release.h"
#include "state/version_manifest.h"

// orvane-version.json for `release`: its version, channel and the mark a signed build took it
// under, and each package's file with its digest, in the release's order.
VersionManifest RecordsOf(const ReleaseInfo& release);
