#include "package/sha256_file.h"

#include <windows.h>

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
  // One buffer per thread: a zip's members are many small files, and a fresh megabyte for each
  // costs more than hashing it.
  thread_local std::vector<UCHAR> buffer(kChunkSize);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer.data(), kChunkSize, &read, nullptr)) return {};
    if (read == 0) break;
    if (!hash.add(buffer.data(), read)) return {};
  }
  const std::optional<Sha256Digest> digest = hash.finish();
  return digest ? digest_hex(*digest) : std::string();
}
