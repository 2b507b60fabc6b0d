#include "package/zstd_patch.h"

#include <algorithm>
#include <memory>

#define ZSTD_STATIC_LINKING_ONLY  // frame headers: the decoder is linked in, at its version
#include <zstd.h>

namespace {

struct DecoderFree {
  void operator()(ZSTD_DCtx* decoder) const { ZSTD_freeDCtx(decoder); }
};
using ScopedDecoder = std::unique_ptr<ZSTD_DCtx, DecoderFree>;

}  // namespace

std::optional<uint64_t> patch_content_size(const uint8_t* patch, size_t patch_size) {
  if (patch == nullptr || patch_size == 0) return std::nullopt;
  ZSTD_frameHeader header{};
  if (ZSTD_getFrameHeader(&header, patch, patch_size) != 0) return std::nullopt;
  if (header.frameType != ZSTD_frame || header.frameContentSize == ZSTD_CONTENTSIZE_UNKNOWN ||
      header.frameContentSize == ZSTD_CONTENTSIZE_ERROR) {
    return std::nullopt;
  }
  if (header.windowSize > std::max<uint64_t>(header.frameContentSize, kMinPatchWindow)) {
    return std::nullopt;
  }
  // One frame and nothing after it: trailing bytes would be another file's.
  const size_t frame = ZSTD_findFrameCompressedSize(patch, patch_size);
  if (ZSTD_isError(frame) || frame != patch_size) return std::nullopt;
  return header.frameContentSize;
}

bool apply_patch(const uint8_t* base, size_t base_size, const uint8_t* patch, size_t patch_size,
                 uint8_t* out, size_t out_size) {
  const std::optional<uint64_t> content = patch_content_size(patch, patch_size);
  if (!content || *content != out_size) return false;
  ScopedDecoder decoder(ZSTD_createDCtx());
  if (!decoder) return false;
  // The reference is taken as raw bytes, never as a dictionary, whatever it begins with; the
  // whole output buffer is at hand, so the decoder keeps no window of its own.
  if (base_size > 0 && ZSTD_isError(ZSTD_DCtx_refPrefix_advanced(decoder.get(), base, base_size,
                                                                 ZSTD_dct_rawContent))) {
    return false;
  }
  uint8_t empty = 0;
  const size_t made =
      ZSTD_decompressDCtx(decoder.get(), out_size > 0 ? out : &empty, out_size, patch, patch_size);
  return !ZSTD_isError(made) && made == out_size;
}
