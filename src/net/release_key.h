// The root keys release answers (or their online keys' certificates) must be signed with:
// fixed when the program is built.
#pragma once

#include <string_view>
#include <vector>

// Base64 of each ECDSA P-256 point X||Y, as ORVANE_RELEASE_PUBLIC_KEY lists them (separated by
// commas); none in a build that takes answers unsigned. Defined in a translation unit of its own,
// so that a test program can link keys of its own instead.
std::vector<std::string_view> release_public_keys();
