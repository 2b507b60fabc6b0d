// Whether the transport verifies the server's certificate: fixed when the program is built.
#pragma once

// True in a shipping build (chain, host name and dates are checked; nothing is ignored); false
// in test builds, which talk to the loopback service's self-signed certificates, and in a
// shipping build made to take an unverifiable service (its answers must still be signed).
// Defined in a translation unit of its own, so that a test program can link the other policy.
bool verify_certificates();
