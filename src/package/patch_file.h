// Applying a delta package's patch to files on disk (Windows).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Writes `out_path` (replaced) from the patch in `patch_path` applied to the file at `base_path`
// (empty: a patch made without a reference). The base, the patch and the output are mapped,
// never read into memory, so a big file costs address space, not private memory; the base is
// shared for reading only while it is used. The digest (lowercase hex) of the bytes written,
// or absent when anything failed (what was written then is deleted). With `expected_size`, a
// patch that says it makes another number of bytes is refused before the output is made: the
// size a patch states is the patch's to say, and would otherwise size the file on disk.
std::optional<std::string> ApplyPatchFile(const std::wstring& base_path,
                                          const std::wstring& patch_path,
                                          const std::wstring& out_path,
                                          std::optional<uint64_t> expected_size = std::nullopt);
