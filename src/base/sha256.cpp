#include "base/sha256.h"

#include <limits>

Sha256::Sha256() : algorithm_(open_bcrypt_algorithm(BCRYPT_SHA256_ALGORITHM)) {
  BCRYPT_HASH_HANDLE raw = nullptr;
  unusable_ = !algorithm_ ||
            !bcrypt_succeeded(BCryptCreateHash(algorithm_.get(), &raw, nullptr, 0, nullptr, 0, 0));
  hash_.reset(raw);
}

bool Sha256::add(const void* data, size_t size) {
  // CNG takes the input as non-const, though it only reads it; a call takes at most 4 GiB.
  auto* bytes = static_cast<UCHAR*>(const_cast<void*>(data));
  while (!unusable_ && size > 0) {
    const ULONG piece = size > std::numeric_limits<ULONG>::max()
                            ? std::numeric_limits<ULONG>::max()
                            : static_cast<ULONG>(size);
    unusable_ = !bcrypt_succeeded(BCryptHashData(hash_.get(), bytes, piece, 0));
    bytes += piece;
    size -= piece;
  }
  return !unusable_;
}

std::optional<Sha256Digest> Sha256::finish() {
  Sha256Digest digest{};
  if (unusable_ || !bcrypt_succeeded(BCryptFinishHash(hash_.get(), digest.data(), kSha256Bytes, 0))) {
    unusable_ = true;
    return std::nullopt;
  }
  unusable_ = true;
  return digest;
}

std::string digest_hex(const Sha256Digest& digest) {
  constexpr char kHexDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(kSha256Bytes * 2);
  for (const uint8_t value : digest) {
    hex.push_back(kHexDigits[value >> 4]);
    hex.push_back(kHexDigits[value & 0x0F]);
  }
  return hex;
}
