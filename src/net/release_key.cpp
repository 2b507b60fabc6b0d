#include "net/release_key.h"

namespace {

constexpr std::string_view kKeys = ORVANE_RELEASE_PUBLIC_KEY;
constexpr char kKeySeparator = ',';

}  // namespace

std::vector<std::string_view> release_public_keys() {
  std::vector<std::string_view> keys;
  for (std::string_view rest = kKeys; !rest.empty();) {
    const size_t comma = rest.find(kKeySeparator);
    keys.push_back(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  return keys;
}
