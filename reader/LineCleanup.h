#pragma once

#include "ByteText.h"

#include <cstdint>
#include <string>
#include <string_view>

// The reader works on byte strings, one byte per character. A page line is
// flattened into a cell text in which "|" separates the cells of a table row.

// Every tag becomes one "|", double quotes vanish and "&nbsp" (with or without
// its ";") becomes a blank.
// A "<" with no ">" after it turns the rest of the text into one "|".
std::string RemoveHTML(std::string_view line);

// Removes every "|" and trims the result; a text without "|" comes back as it is.
std::string RemovePipes(std::string_view text);

// Base-16 value, most significant digit first. A character that is no
// hexadecimal digit counts as the digit -1; the empty text gives 0. The sum
// wraps in 32 bits, which texts of six characters or fewer never reach.
std::int32_t HexToInt(std::string_view text);

// Drops every leading and trailing byte of code 32 or below.
std::string_view trimmed(std::string_view text);

bool holds(std::string_view text, std::string_view word);
bool holds(std::string_view text, char c);
