#include "net/release_fetch.h"

#include <windows.h>

#include <new>

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
    if (const auto refusal = signed_release_refusal(release, unix_now())) return refused(*refusal, why);
  }
  if (!release) return refused(kNotARelease, why);
  return release;
}
