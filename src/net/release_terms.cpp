#include "net/release_terms.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "json/json_parse.h"
#include "json/json_value.h"

namespace {

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kTimeShape = "dddd-dd-ddTdd:dd:ddZ";
constexpr int64_t kSecondsPerDay = 86400;
// Past 2^53 a JSON number no longer holds every whole number.
constexpr double kMaxKeySequence = 9007199254740992.0;
constexpr char kCertificateSeparator = '.';

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

int digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool leap_year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) {
  constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap_year(year) ? 29 : kDays[static_cast<size_t>(month - 1)];
}

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's days_from_civil).
int64_t days_from_civil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

}  // namespace

std::optional<std::vector<uint8_t>> decode_base64(std::string_view text) {
  text = trim_blanks(text);
  if (text.size() % 4 != 0) return std::nullopt;
  size_t padding = 0;
  while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') ++padding;
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 4 * 3);
  uint32_t bits = 0;
  int held = 0;
  for (size_t i = 0; i < text.size() - padding; ++i) {
    const size_t value = kBase64Alphabet.find(text[i]);
    if (value == std::string_view::npos) return std::nullopt;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    held += 6;
    if (held >= 8) {
      held -= 8;
      bytes.push_back(static_cast<uint8_t>(bits >> held));
    }
  }
  return bytes;
}

std::optional<int64_t> parse_utc_time(std::string_view text) {
  if (text.size() != kTimeShape.size()) return std::nullopt;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kTimeShape[i] == 'd' ? !digit : text[i] != kTimeShape[i]) return std::nullopt;
  }
  const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  const int hour = digits(text, 11, 2), minute = digits(text, 14, 2), second = digits(text, 17, 2);
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month)) return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return days_from_civil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

SequenceMark later_mark(const SequenceMark& a, const SequenceMark& b) {
  if (a.key_sequence != b.key_sequence) return a.key_sequence > b.key_sequence ? a : b;
  return a.sequence >= b.sequence ? a : b;
}

int64_t root_key_sequence(const AnswerScope& scope) {
  return std::max(scope.highest_key_sequence, scope.taken.key_sequence);
}

std::optional<KeyCertificate> parse_key_certificate(std::string_view text) {
  const size_t dot = text.find(kCertificateSeparator);
  if (dot == std::string_view::npos) return std::nullopt;
  std::optional<std::vector<uint8_t>> document = decode_base64(text.substr(0, dot));
  std::optional<std::vector<uint8_t>> signature = decode_base64(text.substr(dot + 1));
  if (!document || document->empty() || !signature || signature->size() != kSignatureBytes) {
    return std::nullopt;
  }
  const std::optional<JsonValue> parsed = json_parse(
      std::string_view(reinterpret_cast<const char*>(document->data()), document->size()));
  if (!parsed || parsed->kind != JsonKind::Object) return std::nullopt;
  KeyCertificate certificate;
  certificate.public_key = parsed->get_string("public_key").value_or("");
  certificate.software_id = parsed->get_string("software_id").value_or("");
  const std::optional<double> key_sequence = parsed->get_number("key_sequence");
  const std::optional<int64_t> expires = parse_utc_time(parsed->get_string("expires").value_or(""));
  const std::optional<std::vector<uint8_t>> key = decode_base64(certificate.public_key);
  if (!key || key->size() != kPublicKeyBytes || certificate.software_id.empty() || !expires ||
      !key_sequence || !(*key_sequence >= 1 && *key_sequence <= kMaxKeySequence) ||
      std::trunc(*key_sequence) != *key_sequence) {
    return std::nullopt;
  }
  certificate.key_sequence = static_cast<int64_t>(*key_sequence);
  certificate.expires = *expires;
  certificate.document = std::move(*document);
  certificate.signature = std::move(*signature);
  return certificate;
}

std::optional<std::string_view> certificate_refusal(const KeyCertificate& certificate, int64_t now,
                                                    const AnswerScope& scope) {
  if (certificate.software_id != scope.software_id) return kOtherRelease;
  if (certificate.expires <= now) return kCertificateExpired;
  if (certificate.key_sequence < scope.highest_key_sequence) return kRevokedKey;
  return std::nullopt;
}

std::optional<std::string_view> signed_release_refusal(const std::optional<ReleaseInfo>& release,
                                                       int64_t now, const AnswerScope& scope,
                                                       int64_t key_sequence) {
  if (!release) return kNotARelease;
  if (release->software_id != scope.software_id || release->channel != scope.channel) {
    return kOtherRelease;
  }
  const std::optional<int64_t> expires = parse_utc_time(release->expires);
  if (!expires) return kNoExpiry;
  if (*expires <= now) return kExpired;
  for (const ReleaseFile& file : release->files) {
    if (file.checksum_sha256.empty() || file.zip_checksum.empty()) return kEmptyChecksum;
    // Every byte a delta update applies is covered by the signature too.
    for (const ReleaseDelta& delta : file.deltas) {
      if (delta.base_sha256.empty() || delta.sha256.empty()) return kEmptyChecksum;
    }
  }
  if (!release->sequence) return kNoSequence;
  // Within one key sequence answers only move forward; a newer key's answers start over.
  const SequenceMark answer{key_sequence, *release->sequence};
  if (answer.key_sequence < scope.taken.key_sequence ||
      (answer.key_sequence == scope.taken.key_sequence && answer.sequence < scope.taken.sequence)) {
    return kReplayed;
  }
  return std::nullopt;
}
