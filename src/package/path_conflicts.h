// Releases that name one file twice.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/release.h"
#include "package/package_failure.h"

// Whether a safe file_path names one of the files an installation keeps of its own (its
// records, its journal, and their ".bak" and ".new" forms; the config's only in those forms:
// a release delivers the config itself). No package, and no file of an archive, may land there.
bool is_record_path(std::string_view file_path);

// The first of an archive's file names that is_record_path refuses; absent when none is.
std::optional<std::string> find_record_member(const std::vector<std::string>& names);

// The position of the first package whose file_path names a file an earlier package already
// names (another spelling: case, either separator, "./", trailing dots or spaces), or that is
// another package's path + ".bak" (the name an update keeps a replaced file under), or one of
// the installation's own record files. Either would have one run overwrite or delete what it
// just put down. Absent when every package has a place of its own.
std::optional<size_t> find_conflicting_path(const std::vector<ReleaseFile>& files);

// Whether two path identities (package_path.h) name one file: the file system's own comparison,
// ordinal, letters of every script compared without regard to case.
bool same_installed_file(std::u16string_view a, std::u16string_view b);

// Whether two published file_paths name one file in an installation; false when either is not
// a safe path.
bool same_file_path(std::string_view a, std::string_view b);

// The position of the first package whose file_path is not a safe relative path
// (package_path.h); absent when every one is. Checked before anything is fetched.
std::optional<size_t> find_unsafe_path(const std::vector<ReleaseFile>& files);

// The first package a run refuses before anything is fetched, and why: a path that could leave
// the installation (InvalidPath), else one that names a file twice (ConflictingPath).
struct RefusedPath {
  size_t index = 0;
  PackageError error;
};
std::optional<RefusedPath> find_refused_path(const std::vector<ReleaseFile>& files);

// One text per file a safe file_path names, equal for every spelling of it (the identity,
// upper-cased as the file system compares names): a key for sets. Empty for an unsafe path.
std::u16string file_key(std::string_view file_path);
