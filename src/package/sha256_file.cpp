#include "package/sha256_file.h"

#include <windows.h>
#include <bcrypt.h>

#include <array>
#include <vector>

#include "base/bcrypt_handle.h"
#include "base/win_handle.h"

namespace {

constexpr DWORD kChunkSize = 1024 * 1024;
constexpr size_t kDigestSize = 32;
constexpr char kHexDigits[] = "0123456789abcdef";

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

  // Declared before the hash so that the hash is destroyed first.
  const ScopedBcryptAlgorithm algorithm = open_bcrypt_algorithm(BCRYPT_SHA256_ALGORITHM);
  if (!algorithm) return {};
  BCRYPT_HASH_HANDLE raw_hash = nullptr;
  if (!bcrypt_succeeded(BCryptCreateHash(algorithm.get(), &raw_hash, nullptr, 0, nullptr, 0, 0))) {
    return {};
  }
  ScopedBcryptHash hash(raw_hash);

  std::vector<UCHAR> buffer(kChunkSize);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer.data(), kChunkSize, &read, nullptr)) return {};
    if (read == 0) break;
    if (!bcrypt_succeeded(BCryptHashData(hash.get(), buffer.data(), read, 0))) return {};
  }

  std::array<UCHAR, kDigestSize> digest{};
  if (!bcrypt_succeeded(BCryptFinishHash(hash.get(), digest.data(), kDigestSize, 0))) return {};
  std::string hex;
  hex.reserve(kDigestSize * 2);
  for (UCHAR value : digest) {
    hex.push_back(kHexDigits[value >> 4]);
    hex.push_back(kHexDigits[value & 0x0F]);
  }
  return hex;
}
