// The release service's ECDSA P-256 signature of an answer, checked through CNG.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "net/release_terms.h"

// Whether `signature` (r||s) is a valid signature of `data` by `public_key_text` (base64 X||Y).
bool signature_valid(std::string_view data, const std::vector<uint8_t>& signature,
                     std::string_view public_key_text);

// Who may have signed an answer: a root key, or an online key whose certificate (the header's
// text, empty when the answer came without one) a root key signed and which the scope does not
// refuse at `now` (certificate_refusal). `key_sequence` is what the answer is then judged under.
struct SignerCheck {
  std::optional<std::string_view> refusal;  // absent: signed by a key the build trusts
  int64_t key_sequence = 0;
};
SignerCheck check_signer(std::string_view body, std::string_view signature_text,
                         std::string_view certificate_text,
                         const std::vector<std::string_view>& root_keys, int64_t now,
                         const AnswerScope& scope);
