// SHA-256 of a file's bytes through the platform's CNG provider.
#pragma once

#include <string>

// 64 lowercase hexadecimal characters, or "" when the file cannot be read or hashed.
// Streams the file in 1 MiB chunks; memory use does not grow with the file.
std::string Sha256File(const std::wstring& path);

// The rule for a published checksum: empty means not checked; otherwise the digest must equal
// it byte for byte (so an uppercase checksum never matches).
bool DigestMatches(const std::string& expected, const std::wstring& path);
