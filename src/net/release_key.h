// The public key release answers must be signed with: fixed when the program is built.
#pragma once

#include <string_view>

// Base64 of the ECDSA P-256 point X||Y; empty in a build that takes answers unsigned. Defined in
// a translation unit of its own, so that a test program can link a key of its own instead.
std::string_view release_public_key();
