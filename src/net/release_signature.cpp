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
  if (public_key.size() != kPublicKeyBytes) return false;
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

bool signature_valid(std::string_view data, const std::vector<uint8_t>& signature,
                     std::string_view public_key_text) {
  const std::optional<std::vector<uint8_t>> key = decode_base64(public_key_text);
  Sha256 hash;
  hash.add(data.data(), data.size());
  const std::optional<Sha256Digest> digest = hash.finish();
  return key && key->size() == kPublicKeyBytes && signature.size() == kSignatureBytes && digest &&
         verified(*digest, signature, *key);
}

SignerCheck check_signer(std::string_view body, std::string_view signature_text,
                         std::string_view certificate_text,
                         const std::vector<std::string_view>& root_keys, int64_t now,
                         const AnswerScope& scope) {
  if (signature_text.empty()) return {kNoSignature};
  const std::optional<std::vector<uint8_t>> signature = decode_base64(signature_text);
  if (!signature || signature->size() != kSignatureBytes) return {kMalformedSignature};
  // A root key's own answer, as before online keys: judged where the newest certificate is.
  for (std::string_view root : root_keys) {
    if (signature_valid(body, *signature, root)) return {std::nullopt, root_key_sequence(scope)};
  }
  if (certificate_text.empty()) return {kBadSignature};
  const std::optional<KeyCertificate> certificate = parse_key_certificate(certificate_text);
  if (!certificate) return {kMalformedCertificate};
  const std::string_view document(reinterpret_cast<const char*>(certificate->document.data()),
                                  certificate->document.size());
  bool certified = false;
  for (std::string_view root : root_keys) {
    certified = certified || signature_valid(document, certificate->signature, root);
  }
  if (!certified) return {kUncertifiedKey};
  if (const auto refusal = certificate_refusal(*certificate, now, scope)) return {refusal};
  if (!signature_valid(body, *signature, certificate->public_key)) return {kBadSignature};
  return {std::nullopt, certificate->key_sequence};
}
