#pragma once

// Lenient recursive-descent JSON parser over bytes.

#include <optional>
#include <string_view>

#include "json/json_value.h"

// Most arrays/objects one document may nest; real documents use a handful of levels.
inline constexpr int kJsonMaxNesting = 512;

// Parses the first JSON value in `text` (a NUL byte is an ordinary byte). Absent on any failure,
// with no error detail; never throws for malformed input and never reads past the view.
// Lenient on purpose: byte-order marks count as whitespace anywhere, trailing bytes after the
// value are ignored, unknown escapes stand for their own byte, and numbers are scanned loosely
// and converted as far as the C runtime can (`1.2.3` is 1.2). Nesting deeper than
// kJsonMaxNesting arrays/objects fails rather than exhausting the stack.
std::optional<JsonValue> json_parse(std::string_view text);
