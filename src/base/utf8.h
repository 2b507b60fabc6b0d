// UTF-8 and byte-wise text conversions. Portable: no platform headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8 to UTF-16: overlong forms, surrogate code points, values above U+10FFFF and
// truncated sequences are rejected, so one byte string has at most one wide reading.
std::optional<std::u16string> decode_utf8(std::string_view bytes);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string encode_utf8(std::u16string_view text);

// Each byte becomes one UTF-16 unit by sign extension: ASCII stays, 0x80..0xFF become
// U+FF80..U+FFFF. No decoding; used where a byte string must pass through unchanged in length.
std::u16string widen_bytes(std::string_view bytes);

// Shown text: UTF-8 decoded when valid, else byte-wise widened, so nothing is ever dropped.
std::u16string display_text(std::string_view bytes);
