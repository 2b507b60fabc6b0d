#include "net/release_fetch.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <vector>

#include "base/user_registry.h"
#include "net/http_client.h"
#include "net/release_key.h"
#include "net/release_signature.h"
#include "net/release_terms.h"

namespace {

constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kFileTimeAtUnixEpoch = 116444736000000000;

int64_t unix_now() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const int64_t ticks = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return (ticks - kFileTimeAtUnixEpoch) / kFileTimeTicksPerSecond;
}

// What this user's signed builds have taken, under HKCU\Software\Orvane, never lowered:
//   "Release Key Sequence <software id>"        the highest certificate's key sequence
//   "Release Sequence <software id> <channel>"  the channel's mark: "S" while only root keys'
//                                               answers were taken (key sequence 0), else "K:S"
// (one value, so that a kill between two writes never pairs a new key sequence with an old
// key's sequence).
constexpr const wchar_t* kStateKeyPath = L"Software\\Orvane";
constexpr size_t kMaxDecimalDigits = 18;
constexpr wchar_t kMarkSeparator = L':';

std::wstring wide_ascii(std::string_view text) {
  return std::wstring(text.begin(), text.end());
}

std::wstring key_sequence_name(std::string_view software_id) {
  return L"Release Key Sequence " + wide_ascii(software_id);
}

std::wstring sequence_name(std::string_view software_id, std::string_view channel) {
  return L"Release Sequence " + wide_ascii(software_id) + L" " + wide_ascii(channel);
}

std::optional<int64_t> decimal(std::wstring_view text) {
  if (text.empty() || text.size() > kMaxDecimalDigits) return std::nullopt;
  int64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return value;
}

int64_t stored_key_sequence(std::string_view software_id) {
  const std::optional<std::wstring> text =
      ReadUserText(kStateKeyPath, key_sequence_name(software_id));
  return text ? decimal(*text).value_or(0) : 0;
}

SequenceMark stored_mark(std::string_view software_id, std::string_view channel) {
  const std::optional<std::wstring> text =
      ReadUserText(kStateKeyPath, sequence_name(software_id, channel));
  if (!text) return {};
  const size_t separator = text->find(kMarkSeparator);
  if (separator == std::wstring::npos) return {0, decimal(*text).value_or(-1)};
  const std::optional<int64_t> key = decimal(std::wstring_view(*text).substr(0, separator));
  const std::optional<int64_t> sequence = decimal(std::wstring_view(*text).substr(separator + 1));
  if (!key || !sequence) return {};
  return {*key, *sequence};
}

std::wstring mark_text(const SequenceMark& mark) {
  const std::wstring sequence = std::to_wstring(mark.sequence);
  return mark.key_sequence == 0 ? sequence
                                : std::to_wstring(mark.key_sequence) + kMarkSeparator + sequence;
}

// The user's marks, and the installation's when given: the later of each.
AnswerScope taken_scope(std::string_view software_id, std::string_view channel,
                        const SequenceMark* installed) {
  AnswerScope scope{software_id, channel, stored_mark(software_id, channel),
                    stored_key_sequence(software_id)};
  if (installed != nullptr) scope.taken = later_mark(scope.taken, *installed);
  scope.highest_key_sequence = std::max(scope.highest_key_sequence, scope.taken.key_sequence);
  return scope;
}

// Kept before the answer is used: a later replay of anything older is refused. A failed write
// only leaves the older mark in place.
void remember_taken(const ReleaseInfo& release, std::string_view software_id,
                    std::string_view channel) {
  const SequenceMark answer{release.key_sequence, *release.sequence};
  if (answer.key_sequence > stored_key_sequence(software_id)) {
    WriteUserText(kStateKeyPath, key_sequence_name(software_id),
                  std::to_wstring(answer.key_sequence));
  }
  const SequenceMark stored = stored_mark(software_id, channel);
  const SequenceMark later = later_mark(stored, answer);
  if (later.key_sequence == answer.key_sequence && later.sequence == answer.sequence) {
    WriteUserText(kStateKeyPath, sequence_name(software_id, channel), mark_text(answer));
  }
}

std::optional<ReleaseInfo> refused(std::string_view reason, std::string* why) {
  if (why) *why = std::string(reason);
  return std::nullopt;
}

}  // namespace

std::optional<ReleaseInfo> fetch_latest_release(std::string_view base_url,
                                                std::string_view software_id,
                                                std::string_view channel, std::string* why,
                                                const SequenceMark* installed) {
  HttpClient http;
  std::vector<std::string> headers;
  const std::optional<std::string> body =
      http.get(release_url(base_url, software_id, channel), {kSignatureHeader, kCertificateHeader},
               &headers);
  if (!body) return refused(http.last_error(), why);
  const std::vector<std::string_view> roots = release_public_keys();
  const int64_t now = unix_now();
  const AnswerScope scope = taken_scope(software_id, channel, installed);
  // The signature is checked before the body is parsed: unsigned bytes are never interpreted.
  SignerCheck signer;
  if (!roots.empty()) {
    signer = check_signer(*body, headers[0], headers[1], roots, now, scope);
    if (signer.refusal) return refused(*signer.refusal, why);
  }
  std::optional<ReleaseInfo> release;
  // A well-formed answer can still be too big to hold as a document: a failed query then.
  try {
    release = parse_release(*body);
  } catch (const std::bad_alloc&) {
    return refused("response too large", why);
  }
  if (!release) return refused(kNotARelease, why);
  if (roots.empty()) {
    // Taken unsigned: nothing it says about its order is read, or recorded.
    release->sequence.reset();
    return release;
  }
  if (const auto refusal = signed_release_refusal(release, now, scope, signer.key_sequence)) {
    return refused(*refusal, why);
  }
  release->key_sequence = signer.key_sequence;
  remember_taken(*release, software_id, channel);
  return release;
}

bool secure_channel_refused(const std::string& why) {
  return why == kSecureConnectionError;
}
