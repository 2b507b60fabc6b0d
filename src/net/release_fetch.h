// The one request made to the release service.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/release.h"
#include "net/release_terms.h"

// Origin of the release service, fixed when the program is built.
inline constexpr std::string_view kReleaseBaseUrl = ORVANE_RELEASE_BASE_URL;
// The response headers that carry the signature of a release answer (base64 of r||s) and, for
// an answer an online key signed, that key's certificate (release_terms.h).
inline constexpr const wchar_t* kSignatureHeader = L"X-Orvane-Signature";
inline constexpr const wchar_t* kCertificateHeader = L"X-Orvane-Key-Certificate";

// GET of release_url(...) through a client of its own, parsed by parse_release. Absent on every
// failure (transport, status, body). A build with release keys also refuses an answer whose
// signature, certificate, expiry, digests or sequence do not hold (release_terms.h): to its
// callers that is the same failed query. `installed`, when given, is the mark of the answer the
// installation was installed or last updated from: nothing older is taken, whatever this user
// has taken before. `why`, when given, receives the reason (the client's error text or a
// refusal).
std::optional<ReleaseInfo> fetch_latest_release(std::string_view base_url,
                                                std::string_view software_id,
                                                std::string_view channel,
                                                std::string* why = nullptr,
                                                const SequenceMark* installed = nullptr);

// Whether a failed query's reason is a secure channel the service could not be reached over
// (its certificate refused), which the person is told apart from a network that is down.
bool secure_channel_refused(const std::string& why);
