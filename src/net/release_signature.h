// The release service's ECDSA P-256 signature of an answer, checked through CNG.
#pragma once

#include <optional>
#include <string_view>

// Absent when signature_text (base64 of r||s) is a valid signature of body's exact bytes by
// public_key_text (base64 of X||Y); else why not: kNoSignature, kMalformedSignature or
// kBadSignature (also when the key text or the platform cannot be used).
std::optional<std::string_view> signature_refusal(std::string_view body,
                                                  std::string_view signature_text,
                                                  std::string_view public_key_text);
