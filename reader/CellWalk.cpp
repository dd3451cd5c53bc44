#include "CellWalk.h"

#include "LineCleanup.h"

void SkipPastPipe(std::string_view& remainder)
{
    const std::size_t pipe = remainder.find('|');
    if (pipe != std::string_view::npos)
        remainder = trimmed(remainder.substr(pipe + 1));
}

void ToNextPipe(std::string_view& remainder)
{
    const std::size_t pipe = remainder.find('|');
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
    const std::size_t pipe = remainder.find('|');
    if (pipe == std::string_view::npos)
        return {};
    return trimmed(remainder.substr(0, pipe));
}

void CutAtPipe(std::string_view& remainder)
{
    const std::size_t pipe = remainder.find('|');
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
