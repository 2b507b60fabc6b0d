#include "net/tls_policy.h"

bool verify_certificates() {
  return ORVANE_TLS_VERIFY != 0;
}
