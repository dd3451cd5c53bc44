#pragma once

#include "PageLine.h"
#include "ScanState.h"

#include <optional>
#include <string>
#include <string_view>

// The colour of the first occurrence of an attribute word such as "BGCOLOR=",
// found in any letter case: "#" and six hexadecimal digits, red first, become
// a colour value with red in the low byte; so do the sixteen colour names of
// HTML 4, in any letter case. No value when the attribute's value
// comes out empty.
std::optional<TColor> attributeColour(const PageLine& line, std::string_view word);

// One of the sixteen colour names of HTML 4 (black, silver, ..., aqua) in any
// letter case, as a colour value; no value for any other text.
std::optional<TColor> namedHtmlColour(std::string_view text);

// The first face named by the first "FACE=" of the line.
std::string attributeFace(const PageLine& line);

// The page's colours (BODY, TABLE and TR tags) and its two fonts: the first
// FONT tag with a face or colour is the heading font, the next with a face the
// table font.
void applyPageLookRules(const PageLine& line, ScanState& state);
