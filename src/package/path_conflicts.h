// Releases that name one file twice.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "net/release.h"

// Why an install refuses such a release (the second line of its failure text).
inline constexpr const char* kConflictingPathError = "conflicting file path";

// The position of the first package whose file_path names a file an earlier package already
// names (another spelling: case, either separator, "./", trailing dots or spaces), or that is
// another package's path + ".bak" (the name an update keeps a replaced file under), or one of
// the installation's own record files. Either would have one run overwrite or delete what it
// just put down. Absent when every package has a place of its own.
std::optional<size_t> find_conflicting_path(const std::vector<ReleaseFile>& files);
