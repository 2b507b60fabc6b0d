// SHA-256 through the platform's CNG provider, fed in pieces.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/bcrypt_handle.h"

inline constexpr size_t kSha256Bytes = 32;
using Sha256Digest = std::array<uint8_t, kSha256Bytes>;

class Sha256 {
 public:
  Sha256();

  // False once the provider could not be opened, a piece could not be hashed, or the hash was
  // finished.
  bool add(const void* data, size_t size);
  // The digest of everything added; absent when anything failed. Ends the hash.
  std::optional<Sha256Digest> finish();

 private:
  // Declared before the hash, so that the hash is destroyed first.
  ScopedBcryptAlgorithm algorithm_;
  ScopedBcryptHash hash_;
  bool unusable_ = false;
};

// 64 lowercase hexadecimal characters: how the release service and the records spell a digest.
std::string digest_hex(const Sha256Digest& digest);
