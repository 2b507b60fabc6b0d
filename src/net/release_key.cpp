#include "net/release_key.h"

std::string_view release_public_key() {
  return ORVANE_RELEASE_PUBLIC_KEY;
}
