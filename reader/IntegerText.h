#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A whole number: optional spaces, then an optional "+" or "-" and decimal
// digits, or "$" and hexadecimal digits, with nothing after the digits and the
// value within the 32-bit signed range. Anything else gives no value.
std::optional<std::int32_t> strictToInt(std::string_view text);

// The same reading, with fallback for a text that does not convert.
std::int32_t lenientToInt(std::string_view text, std::int32_t fallback = 0);
