// The one request made to the release service.
#pragma once

#include <optional>
#include <string_view>

#include "net/release.h"

// Origin of the release service, fixed when the program is built.
inline constexpr std::string_view kReleaseBaseUrl = ORVANE_RELEASE_BASE_URL;

// GET of release_url(...) through a client of its own, parsed by parse_release. Absent on every
// failure (transport, status, body); the client's error text goes with the client.
std::optional<ReleaseInfo> fetch_latest_release(std::string_view base_url,
                                                std::string_view software_id,
                                                std::string_view channel);
