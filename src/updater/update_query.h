// The one release query of an update.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/release.h"
#include "net/release_fetch.h"

// The release service's answer for an update of `install_dir`. A signed build takes nothing
// older than the answer the installation's records say it came from, even where this user has
// never taken an answer (a new account, a reset profile, another user's updater run): the
// installation remembers what it took. `why` as fetch_latest_release gives it.
std::optional<ReleaseInfo> FetchUpdateRelease(const std::wstring& install_dir,
                                              std::string_view base_url = kReleaseBaseUrl,
                                              std::string* why = nullptr);
