#pragma once

#include "PageLine.h"

#include <string>
#include <string_view>

// Where a label rule starts to walk its line: the cleaned line from offset
// bytes after the first occurrence of the start word. When the word stood only
// inside a tag, the walk starts as if it had been found just before the line:
// at the first byte, or offset - 1 bytes on.
std::string_view ruleRemainder(const PageLine& line, std::string_view startWord, std::size_t offset = 0);

// The cleaned line from the given index on (empty past its end).
std::string_view remainderFrom(const PageLine& line, std::size_t index);

// The text a counted item converts: the whole remainder when it holds no "|",
// otherwise its first cell.
std::string_view countText(std::string_view remainder);

// The price and cost texts of an item, from the remainder that starts at its
// count cell: when the rest of the line after the count holds an "x", its first
// cell is the price text and the next one the cost text. Otherwise, or when
// the remainder holds no "|", both keep what they held.
void readCountedItemTexts(std::string_view remainder, std::string& price, std::string& cost);

enum class LoneValue
{
    YesMeansTrue, // "1" or "yes" in any case is true, all else false
    NoMeansFalse  // "0" or "no" in any case is false, all else true
};

// An item that is there or not (apothecary, wizard), with its price and cost.
void readYesNoItem(std::string_view remainder, LoneValue loneValue, bool& flag, std::string& price,
                   std::string& cost);
