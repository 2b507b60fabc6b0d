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

// Bytes of an ECDSA P-256 signature (r||s) and public key (X||Y), 32 bytes each half.
inline constexpr size_t kSignatureBytes = 64;
inline constexpr size_t kPublicKeyBytes = 64;

// Standard base64 with padding and nothing else inside; spaces and tabs around it are dropped.
std::optional<std::vector<uint8_t>> decode_base64(std::string_view text);

// Seconds since 1970-01-01 of "YYYY-MM-DDTHH:MM:SSZ" (UTC, this form only); absent otherwise.
std::optional<int64_t> parse_utc_time(std::string_view text);

// What a signed build asked for, and the highest sequence it has taken from the service.
struct AnswerScope {
  std::string_view software_id;
  std::string_view channel;
  int64_t highest_sequence = -1;  // none taken yet
};

// The refusal of a signed build for a verified answer (parsed or not) at time `now`; absent when
// it may be used: it is a release for the product and channel asked for (a channel left out is
// "stable", as the service's default), its "expires" is later than now, every file names both
// digests (no downloaded byte escapes the signature), and its sequence is not lower than the
// highest taken (an older signed answer replayed by someone between the program and the
// service would downgrade the installation).
std::optional<std::string_view> signed_release_refusal(const std::optional<ReleaseInfo>& release,
                                                       int64_t now, const AnswerScope& scope);
