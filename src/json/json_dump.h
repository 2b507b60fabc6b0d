#pragma once

// Indented JSON writer and the text-level merge built on it.

#include <cstdint>
#include <string>
#include <string_view>

#include "json/json_value.h"

// Two-space steps, one element or member per line, members in key order, integral numbers
// without a fraction and all others with six decimals. `indent` is the indentation of the line
// the value starts on; the result has no leading indentation and no trailing line feed.
std::string json_dump(const JsonValue& value, std::int32_t indent);

// Quoted string literal: only tab, line feed, carriage return, quote and backslash are escaped;
// every other byte (control bytes, non-ASCII) is copied raw.
std::string json_escape_string(std::string_view bytes);

// Merges two JSON texts with json_merge and writes the result at indent 0. If either text fails
// to parse, the defaults text comes back byte for byte.
std::string json_merge_text(std::string_view primary_text, std::string_view defaults_text);
