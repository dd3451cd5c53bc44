#pragma once

#include <string_view>

// Steps with which the rules walk from cell to cell along a cleaned line. The
// remainder is a view into the cleaned line; every step that changes it trims
// the result.

// The remainder becomes the text after its first "|" (unchanged without one).
void SkipPastPipe(std::string_view& remainder);
// The remainder becomes the text from its first "|" on (unchanged without one).
void ToNextPipe(std::string_view& remainder);
// Removes one leading "|".
void StripLeadingPipe(std::string_view& remainder);
// The trimmed text before the first "|", or the empty text without one.
std::string_view TakeCell(std::string_view remainder);
// The remainder becomes the text before its first "|" (unchanged without one).
void CutAtPipe(std::string_view& remainder);
// Steps over the end of the current cell and at most two pipes, and yields the
// next cell.
std::string_view NextCell(std::string_view& remainder);
