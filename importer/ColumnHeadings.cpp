#include "ColumnHeadings.h"

#include "ByteText.h"

#include <string>

std::string normalisedWord(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const char lower = asciiLower(c);
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') || lower == '#')
            out.push_back(lower);
    }
    return out;
}

std::optional<RosterColumn> columnOfHeading(std::string_view heading)
{
    using enum RosterColumn;
    // The short headings of this program's own pages ("ij", "cp", "vp") are
    // among them, so that its own pages import too.
    static constexpr std::pair<std::string_view, RosterColumn> names[] = {
        {"#", Number},
        {"no", Number},
        {"nr", Number},
        {"num", Number},
        {"number", Number},
        {"playernum", Number},
        {"playernumber", Number},
        {"name", Name},
        {"player", Name},
        {"playername", Name},
        {"playersname", Name},
        {"position", Position},
        {"pos", Position},
        {"ma", MA},
        {"m", MA},
        {"st", ST},
        {"s", ST},
        {"ag", AG},
        {"pa", PA},
        {"av", AV},
        {"skills", Skills},
        {"skill", Skills},
        {"playerskills", Skills},
        {"inj", Injuries},
        {"injury", Injuries},
        {"injuries", Injuries},
        {"ij", Injuries},
        {"ni", NigglingInjuries},
        {"mng", MissNextGame},
        {"comp", Completions},
        {"cmp", Completions},
        {"completions", Completions},
        {"cp", Completions},
        {"td", Touchdowns},
        {"touchdowns", Touchdowns},
        {"int", Interceptions},
        {"interceptions", Interceptions},
        {"in", Interceptions},
        {"cas", Casualties},
        {"casualties", Casualties},
        {"cs", Casualties},
        {"mvp", MVPs},
        {"mvps", MVPs},
        {"vp", MVPs},
        {"spp", SPP},
        {"sp", SPP},
        {"cost", Value},
        {"value", Value},
    };
    return meaningOf(names, normalisedWord(heading));
}
