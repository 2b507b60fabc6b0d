// Scoped CNG handles (algorithm provider, hash, key).
#pragma once

#include <windows.h>
#include <bcrypt.h>

#include "base/scoped_handle.h"

struct BcryptAlgorithmTraits {
  using type = BCRYPT_ALG_HANDLE;
  static bool valid(type h) { return h != nullptr; }
  static void close(type h) { BCryptCloseAlgorithmProvider(h, 0); }
};
struct BcryptHashTraits {
  using type = BCRYPT_HASH_HANDLE;
  static bool valid(type h) { return h != nullptr; }
  static void close(type h) { BCryptDestroyHash(h); }
};
struct BcryptKeyTraits {
  using type = BCRYPT_KEY_HANDLE;
  static bool valid(type h) { return h != nullptr; }
  static void close(type h) { BCryptDestroyKey(h); }
};
using ScopedBcryptAlgorithm = ScopedHandle<BcryptAlgorithmTraits>;
using ScopedBcryptHash = ScopedHandle<BcryptHashTraits>;
using ScopedBcryptKey = ScopedHandle<BcryptKeyTraits>;

// CNG reports success as STATUS_SUCCESS (0); every other value is a failure.
inline bool bcrypt_succeeded(NTSTATUS status) {
  return status == 0;
}

// Opens a provider of `algorithm` (BCRYPT_..._ALGORITHM); empty when the platform has none.
inline ScopedBcryptAlgorithm open_bcrypt_algorithm(const wchar_t* algorithm) {
  BCRYPT_ALG_HANDLE raw = nullptr;
  if (!bcrypt_succeeded(BCryptOpenAlgorithmProvider(&raw, algorithm, nullptr, 0))) return {};
  return ScopedBcryptAlgorithm(raw);
}
