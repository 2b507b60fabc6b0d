#include "package/sha256_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/sha256.h"
#include "base/win_handle.h"

namespace {

constexpr DWORD kChunkSize = 1024 * 1024;

}  // namespace

bool DigestMatches(const std::string& expected, const std::wstring& path) {
  return expected.empty() || Sha256File(path) == expected;
}

std::string Sha256File(const std::wstring& path) {
  // Others may read, write or delete meanwhile: hashing must never block the file's owner.
  ScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return {};

  Sha256 hash;
  // A buffer no larger than the file: a zip's members are many small files, and a fresh
  // megabyte for each would cost more than hashing it. (No thread_local buffer: a thread that
  // ends while the process exits runs its destructor against the runtime's exit, and MinGW's
  // winpthreads deadlocks there.)
  LARGE_INTEGER size{};
  const uint64_t file_size = GetFileSizeEx(file.get(), &size) && size.QuadPart > 0
                                 ? static_cast<uint64_t>(size.QuadPart)
                                 : 0;
  const DWORD chunk = static_cast<DWORD>(std::min<uint64_t>(kChunkSize, file_size + 1));
  std::vector<UCHAR> buffer(chunk);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer.data(), chunk, &read, nullptr)) return {};
    if (read == 0) break;
    if (!hash.add(buffer.data(), read)) return {};
  }
  const std::optional<Sha256Digest> digest = hash.finish();
  return digest ? digest_hex(*digest) : std::string();
}
