// Delta packages: a zstd frame that makes a file's new bytes with its installed bytes as the
// frame's reference ("patch-from"). Portable, on plain buffers, so that the decoding is tested
// and fuzzed on its own; the files are mapped by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// Below this the format's own minimum window applies, whatever the content.
inline constexpr uint64_t kMinPatchWindow = 1024;

// The size of the file a patch makes; absent when the patch is not exactly one zstd frame, does
// not state its content size, or asks for a window larger than that size (a window is only
// ever needed for the file's own bytes, so a larger one is not what a patch of it looks like).
std::optional<uint64_t> patch_content_size(const uint8_t* patch, size_t patch_size);

// Decodes `patch` against `base` (may be empty: a frame made without a reference) into `out`,
// which must hold exactly patch_content_size bytes. False when the patch does not apply: it is
// malformed, needs another reference, its checksum differs, or it makes another size.
bool apply_patch(const uint8_t* base, size_t base_size, const uint8_t* patch, size_t patch_size,
                 uint8_t* out, size_t out_size);
