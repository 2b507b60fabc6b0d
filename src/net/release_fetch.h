// The one request made to the release service.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/release.h"

// Origin of the release service, fixed when the program is built.
inline constexpr std::string_view kReleaseBaseUrl = ORVANE_RELEASE_BASE_URL;
// The response header that carries the signature of a release answer (base64 of r||s).
inline constexpr const wchar_t* kSignatureHeader = L"X-Orvane-Signature";

// GET of release_url(...) through a client of its own, parsed by parse_release. Absent on every
// failure (transport, status, body). A build with a release key also refuses an answer whose
// signature, expiry or digests do not hold (release_terms.h): to its callers that is the same
// failed query. `why`, when given, receives the reason (the client's error text or a refusal).
std::optional<ReleaseInfo> fetch_latest_release(std::string_view base_url,
                                                std::string_view software_id,
                                                std::string_view channel,
                                                std::string* why = nullptr);

// Whether a failed query's reason is a secure channel the service could not be reached over
// (its certificate refused), which the person is told apart from a network that is down.
bool secure_channel_refused(const std::string& why);
