// What a signed build asks of a release answer beyond a valid signature, and the text forms
// the signature and the public key travel in. Portable: no platform headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/release.h"

// Why an answer is refused; kept for tests and logs, never shown (the window says what it says
// when the service cannot be reached). The release tool's `verify` uses the same texts.
inline constexpr std::string_view kNoSignature = "no signature";
inline constexpr std::string_view kMalformedSignature = "malformed signature";
inline constexpr std::string_view kBadSignature = "bad signature";
inline constexpr std::string_view kNotARelease = "not a release";
inline constexpr std::string_view kNoExpiry = "no expiry";
inline constexpr std::string_view kExpired = "expired";
inline constexpr std::string_view kEmptyChecksum = "empty checksum";
inline constexpr std::string_view kOtherRelease = "another product or channel";
inline constexpr std::string_view kNoSequence = "no sequence";
inline constexpr std::string_view kReplayed = "older than an answer already taken";
inline constexpr std::string_view kMalformedCertificate = "malformed key certificate";
inline constexpr std::string_view kUncertifiedKey = "key not certified by a root key";
inline constexpr std::string_view kCertificateExpired = "key certificate expired";
inline constexpr std::string_view kRevokedKey = "key revoked by a newer certificate";

// Bytes of an ECDSA P-256 signature (r||s) and public key (X||Y), 32 bytes each half.
inline constexpr size_t kSignatureBytes = 64;
inline constexpr size_t kPublicKeyBytes = 64;

// Standard base64 with padding and nothing else inside; spaces and tabs around it are dropped.
std::optional<std::vector<uint8_t>> decode_base64(std::string_view text);

// Seconds since 1970-01-01 of "YYYY-MM-DDTHH:MM:SSZ" (UTC, this form only); absent otherwise.
std::optional<int64_t> parse_utc_time(std::string_view text);

// How far a product and channel's signed answers have come: the key sequence of the newest
// online key's certificate an answer was signed under (0: root keys only), and the highest
// answer sequence taken under it. Marks compare by key sequence first: a newer certificate
// starts its answers' sequences over, so a leaked key that raised them costs nothing once its
// successor is certified.
struct SequenceMark {
  int64_t key_sequence = 0;
  int64_t sequence = -1;  // none taken yet
};

// The later of two marks (key sequence first, then sequence).
SequenceMark later_mark(const SequenceMark& a, const SequenceMark& b);

// What a signed build asked for, and what it has taken from the service before.
struct AnswerScope {
  std::string_view software_id;
  std::string_view channel;
  SequenceMark taken;  // the highest of the user's and the installation's for this channel
  // The highest key sequence taken for the product: certificates below it are revoked.
  int64_t highest_key_sequence = 0;
};

// The refusal of a signed build for a verified answer (parsed or not) at time `now`, signed
// under `key_sequence` (its certificate's; a root key's answer carries the scope's own); absent
// when it may be used: it is a release for the product and channel asked for (a channel left
// out is "stable", as the service's default), its "expires" is later than now, every file names
// both digests (no downloaded byte escapes the signature), and it is not older than the mark
// taken (an older signed answer replayed by someone between the program and the service would
// downgrade the installation).
std::optional<std::string_view> signed_release_refusal(const std::optional<ReleaseInfo>& release,
                                                       int64_t now, const AnswerScope& scope,
                                                       int64_t key_sequence);

// The key sequence a root key's own answer is judged under: the newest taken, so that it
// neither revokes nor is revoked.
int64_t root_key_sequence(const AnswerScope& scope);

// An online key's certificate, as the response header X-Orvane-Key-Certificate carries it:
// "<base64 of the document>.<base64 of a root key's signature of the document's bytes>". The
// document is a JSON object: {"expires": "YYYY-MM-DDTHH:MM:SSZ", "key_sequence": N (1..2^53),
// "public_key": "<base64 of X||Y>", "software_id": "<id>"}.
struct KeyCertificate {
  std::vector<uint8_t> document;   // the bytes the root signed
  std::vector<uint8_t> signature;  // r||s
  std::string public_key;          // the online key's text
  std::string software_id;
  int64_t key_sequence = 0;
  int64_t expires = 0;  // seconds since 1970
};

// The certificate in a header's text; absent when it is not one (either half not base64, the
// signature not 64 bytes, the document not such an object, a key that is not 64 bytes).
std::optional<KeyCertificate> parse_key_certificate(std::string_view text);

// Why a certificate whose signature a root key made may not certify the answer's key at `now`:
// another product, expired, or revoked by a higher key sequence taken; absent when it may.
std::optional<std::string_view> certificate_refusal(const KeyCertificate& certificate, int64_t now,
                                                    const AnswerScope& scope);
