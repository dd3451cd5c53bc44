#include "CellWalk.h"

#include "LineCleanup.h"

#include <algorithm>

namespace {

// Cells are a few bytes long: a plain loop reaches their end sooner than a
// call to memchr gets going.
std::size_t findPipe(std::string_view text)
{
    const auto pipe = std::find(text.begin(), text.end(), '|');
    return pipe == text.end() ? std::string_view::npos : static_cast<std::size_t>(pipe - text.begin());
}

} // namespace

void SkipPastPipe(std::string_view& remainder)
{
    const std::size_t pipe = findPipe(remainder);
    if (pipe != std::string_view::npos)
        remainder = trimmed(remainder.substr(pipe + 1));
}

void ToNextPipe(std::string_view& remainder)
{
    const std::size_t pipe = findPipe(remainder);
    if (pipe != std::string_view::npos && pipe > 0)
        remainder = trimmed(remainder.substr(pipe));
}

void StripLeadingPipe(std::string_view& remainder)
{
    if (remainder.starts_with('|'))
        remainder = trimmed(remainder.substr(1));
}

std::string_view TakeCell(std::string_view remainder)
{
    const std::size_t pipe = findPipe(remainder);
    if (pipe == std::string_view::npos)
        return {};
    return trimmed(remainder.substr(0, pipe));
}

void CutAtPipe(std::string_view& remainder)
{
    const std::size_t pipe = findPipe(remainder);
    if (pipe != std::string_view::npos)
        remainder = trimmed(remainder.substr(0, pipe));
}

std::string_view NextCell(std::string_view& remainder)
{
    ToNextPipe(remainder);
    StripLeadingPipe(remainder);
    StripLeadingPipe(remainder);
    return TakeCell(remainder);
}
