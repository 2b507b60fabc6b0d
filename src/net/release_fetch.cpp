#include "net/release_fetch.h"

#include <new>

#include "net/http_client.h"

std::optional<ReleaseInfo> fetch_latest_release(std::string_view base_url,
                                                std::string_view software_id,
                                                std::string_view channel) {
  HttpClient http;
  const std::optional<std::string> body = http.get(release_url(base_url, software_id, channel));
  if (!body) return std::nullopt;
  // A well-formed answer can still be too big to hold as a document: a failed query then.
  try {
    return parse_release(*body);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
