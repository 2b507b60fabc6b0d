#include "net/release_fetch.h"

#include <windows.h>

#include <new>

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

// The highest sequence this user's signed builds have taken for a product and channel:
// HKCU\Software\Orvane, "Release Sequence <software id> <channel>". Never lowered.
constexpr const wchar_t* kStateKeyPath = L"Software\\Orvane";

std::wstring sequence_value_name(std::string_view software_id, std::string_view channel) {
  return L"Release Sequence " + std::wstring(software_id.begin(), software_id.end()) + L" " +
         std::wstring(channel.begin(), channel.end());
}

int64_t highest_sequence(const std::wstring& name) {
  const std::optional<std::wstring> text = ReadUserText(kStateKeyPath, name);
  if (!text || text->empty() || text->size() > 18) return -1;
  int64_t value = 0;
  for (wchar_t c : *text) {
    if (c < L'0' || c > L'9') return -1;
    value = value * 10 + (c - L'0');
  }
  return value;
}

std::optional<ReleaseInfo> refused(std::string_view reason, std::string* why) {
  if (why) *why = std::string(reason);
  return std::nullopt;
}

}  // namespace

std::optional<ReleaseInfo> fetch_latest_release(std::string_view base_url,
                                                std::string_view software_id,
                                                std::string_view channel, std::string* why) {
  HttpClient http;
  std::string signature;
  const std::optional<std::string> body =
      http.get(release_url(base_url, software_id, channel), kSignatureHeader, &signature);
  if (!body) return refused(http.last_error(), why);
  const std::string_view key = release_public_key();
  // The signature is checked before the body is parsed: unsigned bytes are never interpreted.
  if (!key.empty()) {
    if (const auto refusal = signature_refusal(*body, signature, key)) return refused(*refusal, why);
  }
  std::optional<ReleaseInfo> release;
  // A well-formed answer can still be too big to hold as a document: a failed query then.
  try {
    release = parse_release(*body);
  } catch (const std::bad_alloc&) {
    return refused("response too large", why);
  }
  if (!key.empty()) {
    const std::wstring sequence_name = sequence_value_name(software_id, channel);
    const AnswerScope scope{software_id, channel, highest_sequence(sequence_name)};
    if (const auto refusal = signed_release_refusal(release, unix_now(), scope)) {
      return refused(*refusal, why);
    }
    // Kept before the answer is used: a later replay of anything older is refused. A failed
    // write only leaves the older mark in place.
    if (*release->sequence > scope.highest_sequence) {
      WriteUserText(kStateKeyPath, sequence_name, std::to_wstring(*release->sequence));
    }
  }
  if (!release) return refused(kNotARelease, why);
  return release;
}

bool secure_channel_refused(const std::string& why) {
  return why == kSecureConnectionError;
}
