# A build to ship (the `release` preset): the release service must be named, public and HTTPS,
# its answers signed, and nothing test-only may be compiled in.

if(ORVANE_TEST_HOOKS)
  message(FATAL_ERROR "ORVANE_TEST_HOOKS compiles pause points into the program; a shipping build "
                      "must not have them")
endif()

function(orvane_refuse_release_url why)
  message(FATAL_ERROR "ORVANE_RELEASE_BASE_URL \"${ORVANE_RELEASE_BASE_URL}\": ${why}. A shipping "
                      "build needs the public release service, e.g. "
                      "-DORVANE_RELEASE_BASE_URL=https://releases.example.com")
endfunction()

set(url "${ORVANE_RELEASE_BASE_URL}")
if(url STREQUAL "")
  orvane_refuse_release_url("required")
endif()
if(NOT url MATCHES "^https://")
  orvane_refuse_release_url("not https")
endif()
if(url MATCHES "^https://\\[")
  orvane_refuse_release_url("an IPv6 literal, which the program's URL rules do not take")
endif()
if(NOT url MATCHES "^https://([A-Za-z0-9.-]+)(:[0-9]+)?(/[^?#]*)?$")
  orvane_refuse_release_url("not of the form https://host[:port][/path]")
endif()
string(TOLOWER "${CMAKE_MATCH_1}" host)
if(host MATCHES "(^|\\.)localhost\\.?$")
  orvane_refuse_release_url("names this machine")
endif()
if(host MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  set(a ${CMAKE_MATCH_1})
  set(b ${CMAKE_MATCH_2})
  # Loopback, unspecified, private, shared (carrier NAT) and link-local ranges.
  if(a EQUAL 127 OR a EQUAL 0 OR a EQUAL 10 OR (a EQUAL 172 AND b GREATER_EQUAL 16 AND b LESS_EQUAL 31)
     OR (a EQUAL 192 AND b EQUAL 168) OR (a EQUAL 169 AND b EQUAL 254)
     OR (a EQUAL 100 AND b GREATER_EQUAL 64 AND b LESS_EQUAL 127))
    orvane_refuse_release_url("a loopback or private address")
  endif()
endif()

# Without a key a shipped program would take whatever answers for the release host: a package
# of anyone's with its digest, tried again by every scheduled check.
if(ORVANE_RELEASE_PUBLIC_KEY STREQUAL "")
  message(FATAL_ERROR "ORVANE_RELEASE_PUBLIC_KEY is required: a shipping build takes only signed "
                      "release answers. Make a root key once and keep it offline:\n"
                      "  tools/orvane-release keygen --root root-key.pem\n"
                      "then configure with -DORVANE_RELEASE_PUBLIC_KEY=<the public key text it prints>")
endif()
