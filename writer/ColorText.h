#pragma once

#include "TTeam.h"

#include <string>

// Colour text as a page holds it: six upper-case hexadecimal digits, red first.

// Writes the value as at least six hex digits (blue, green, red for an ordinary
// colour) and swaps the pairs at characters 1-2 and 5-6, so a system colour
// reference such as 0x80000008 comes out as 000080.
std::string ColorToHTML(TColor color);

// Move one hex digit four steps up (capped at F) or down (floored at 0).
char LightenDigit(char digit);
char DarkenDigit(char digit);

// Border shades of a table: the high digit of each channel is lightened or
// darkened, the low digit is kept.
std::string LightBorder(const std::string& colorText);
std::string DarkBorder(const std::string& colorText);
