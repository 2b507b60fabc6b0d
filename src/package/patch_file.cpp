#include "package/patch_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "base/sha256.h"
#include "base/win_handle.h"
#include "package/zstd_patch.h"

namespace {

struct ViewTraits {
  using type = void*;
  static bool valid(void* view) { return view != nullptr; }
  static void close(void* view) { UnmapViewOfFile(view); }
};
using ScopedView = ScopedHandle<ViewTraits>;

// Hashed in slices, so that the digest's reads of the mapped output stay small requests.
constexpr size_t kHashSlice = 4 * 1024 * 1024;

// A file mapped whole; an empty file has no mapping (none can be made of it) and no bytes.
struct MappedFile {
  ScopedKernelHandle file;
  ScopedKernelHandle mapping;
  ScopedView view;
  uint64_t size = 0;

  const uint8_t* bytes() const { return static_cast<const uint8_t*>(view.get()); }
  uint8_t* writable() const { return static_cast<uint8_t*>(view.get()); }
};

bool map_whole(MappedFile& mapped, DWORD protect, DWORD access) {
  if (mapped.size == 0) return true;
  if (mapped.size > SIZE_MAX) return false;
  mapped.mapping.reset(CreateFileMappingW(mapped.file.get(), nullptr, protect,
                                          static_cast<DWORD>(mapped.size >> 32),
                                          static_cast<DWORD>(mapped.size), nullptr));
  if (!mapped.mapping) return false;
  mapped.view.reset(
      MapViewOfFile(mapped.mapping.get(), access, 0, 0, static_cast<SIZE_T>(mapped.size)));
  return static_cast<bool>(mapped.view);
}

// Nobody may write the file while it is mapped: its bytes are what the patch is applied to.
std::optional<MappedFile> map_for_reading(const std::wstring& path) {
  MappedFile mapped;
  mapped.file.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!mapped.file || !GetFileSizeEx(mapped.file.get(), &size) || size.QuadPart < 0)
    return std::nullopt;
  mapped.size = static_cast<uint64_t>(size.QuadPart);
  if (!map_whole(mapped, PAGE_READONLY, FILE_MAP_READ)) return std::nullopt;
  return mapped;
}

// The output is sized first, so that a full disk fails here and not inside the mapped writes.
std::optional<MappedFile> map_for_writing(const std::wstring& path, uint64_t size) {
  MappedFile mapped;
  mapped.size = size;
  mapped.file.reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!mapped.file) return std::nullopt;
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  if (size > static_cast<uint64_t>(INT64_MAX) ||
      !SetFilePointerEx(mapped.file.get(), end, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(mapped.file.get()) || !map_whole(mapped, PAGE_READWRITE, FILE_MAP_WRITE)) {
    return std::nullopt;
  }
  return mapped;
}

std::optional<std::string> digest_of(const uint8_t* bytes, uint64_t size) {
  Sha256 hash;
  for (uint64_t at = 0; at < size; at += kHashSlice) {
    const size_t slice = static_cast<size_t>(std::min<uint64_t>(kHashSlice, size - at));
    if (!hash.add(bytes + at, slice)) return std::nullopt;
  }
  const std::optional<Sha256Digest> digest = hash.finish();
  if (!digest) return std::nullopt;
  return digest_hex(*digest);
}

std::optional<std::string> apply(const std::wstring& base_path, const std::wstring& patch_path,
                                 const std::wstring& out_path,
                                 std::optional<uint64_t> expected_size) {
  const std::optional<MappedFile> patch = map_for_reading(patch_path);
  if (!patch || patch->size == 0) return std::nullopt;
  const std::optional<uint64_t> content =
      patch_content_size(patch->bytes(), static_cast<size_t>(patch->size));
  if (!content || (expected_size && *content != *expected_size)) return std::nullopt;
  std::optional<MappedFile> base;
  if (!base_path.empty()) {
    base = map_for_reading(base_path);
    if (!base) return std::nullopt;
  }
  const std::optional<MappedFile> out = map_for_writing(out_path, *content);
  if (!out) return std::nullopt;
  if (!apply_patch(base ? base->bytes() : nullptr, base ? static_cast<size_t>(base->size) : 0,
                   patch->bytes(), static_cast<size_t>(patch->size), out->writable(),
                   static_cast<size_t>(out->size))) {
    return std::nullopt;
  }
  std::optional<std::string> digest = digest_of(out->bytes(), out->size);
  if (out->size > 0 && !FlushViewOfFile(out->view.get(), 0)) return std::nullopt;
  return digest;
}

}  // namespace

std::optional<std::string> ApplyPatchFile(const std::wstring& base_path,
                                          const std::wstring& patch_path,
                                          const std::wstring& out_path,
                                          std::optional<uint64_t> expected_size) {
  std::optional<std::string> digest = apply(base_path, patch_path, out_path, expected_size);
  if (!digest) DeleteFileW(out_path.c_str());
  return digest;
}
