#include "net/release_signature.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstring>
#include <vector>

#include "base/bcrypt_handle.h"
#include "base/sha256.h"
#include "net/release_terms.h"

namespace {

constexpr ULONG kCoordinateBytes = kPublicKeyBytes / 2;

bool verified(Sha256Digest digest, std::vector<uint8_t> signature,
              const std::vector<uint8_t>& public_key) {
  const ScopedBcryptAlgorithm algorithm = open_bcrypt_algorithm(BCRYPT_ECDSA_P256_ALGORITHM);
  if (!algorithm) return false;
  // BCRYPT_ECCPUBLIC_BLOB: the header, then X and Y.
  std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + kPublicKeyBytes);
  const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, kCoordinateBytes};
  std::memcpy(blob.data(), &header, sizeof(header));
  std::memcpy(blob.data() + sizeof(header), public_key.data(), kPublicKeyBytes);
  BCRYPT_KEY_HANDLE raw = nullptr;
  if (!bcrypt_succeeded(BCryptImportKeyPair(algorithm.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &raw,
                                            blob.data(), static_cast<ULONG>(blob.size()), 0))) {
    return false;
  }
  const ScopedBcryptKey key(raw);
  return bcrypt_succeeded(BCryptVerifySignature(key.get(), nullptr, digest.data(), kSha256Bytes,
                                                signature.data(),
                                                static_cast<ULONG>(signature.size()), 0));
}

}  // namespace

std::optional<std::string_view> signature_refusal(std::string_view body,
                                                  std::string_view signature_text,
                                                  std::string_view public_key_text) {
  if (signature_text.empty()) return kNoSignature;
  std::optional<std::vector<uint8_t>> signature = decode_base64(signature_text);
  if (!signature || signature->size() != kSignatureBytes) return kMalformedSignature;
  const std::optional<std::vector<uint8_t>> key = decode_base64(public_key_text);
  Sha256 hash;
  hash.add(body.data(), body.size());
  const std::optional<Sha256Digest> digest = hash.finish();
  if (!key || key->size() != kPublicKeyBytes || !digest) return kBadSignature;
  if (!verified(*digest, std::move(*signature), *key)) return kBadSignature;
  return std::nullopt;
}
