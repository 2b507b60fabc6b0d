// The patch entry point on hostile bytes: any patch against any base either applies or is
// refused, within the memory the content size it states asks for.
// Input: two bytes (little-endian) giving the base's length, the base, then the patch.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/zstd_patch.h"

namespace {

// Larger stated sizes are refused here, not by the code under test: the fuzzer's memory.
constexpr uint64_t kMaxOutput = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t base_size = data[0] | (size_t{data[1]} << 8);
  if (base_size > size - 2) base_size = size - 2;
  const uint8_t* base = data + 2;
  const uint8_t* patch = base + base_size;
  const size_t patch_size = size - 2 - base_size;
  const std::optional<uint64_t> content = patch_content_size(patch, patch_size);
  if (!content || *content > kMaxOutput) return 0;
  std::vector<uint8_t> out(static_cast<size_t>(*content));
  apply_patch(base, base_size, patch, patch_size, out.data(), out.size());
  // A patch stating another size than the buffer is never applied.
  std::vector<uint8_t> other(out.size() + 1);
  if (apply_patch(base, base_size, patch, patch_size, other.data(), other.size())) __builtin_trap();
  return 0;
}
