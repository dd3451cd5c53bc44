#include "ColumnHeadings.h"

#include "ByteText.h"

#include <string>

std::string normalisedWord(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (const char kept = wordCharacter(c))
            out.push_back(kept);
    }
    return out;
}

std::string withoutBrackets(std::string_view text)
{
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0)
            out.push_back(c);
    }
    return out;
}

namespace {

// The headings other roster tools give the same fields.
std::optional<RosterColumn> columnOfSynonym(std::string_view word)
{
    using enum RosterColumn;
    static constexpr std::pair<std::string_view, RosterColumn> names[] = {
        {"positional", Position},
        {"type", Position},
        {"skillstraits", Skills},
        {"skillsandtraits", Skills},
        {"traits", Skills},
        {"abilities", Skills},
        {"specialrules", Skills},
        {"skillsinjuries", Skills},
        {"skillsandinjuries", Skills},
        {"niggling", NigglingInjuries},
        {"nigglinginjuries", NigglingInjuries},
        {"missnextgame", MissNextGame},
        {"starplayerpoints", SPP},
        {"xp", SPP},
        {"price", Value},
        {"tv", Value},
        {"currentvalue", Value},
        {"playervalue", Value},
    };
    static constexpr WordTable words(names);
    return words.meaningOf(word);
}

std::optional<RosterColumn> columnOfWord(std::string_view word)
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
    static constexpr WordTable words(names);
    return words.meaningOf(word);
}

} // namespace

std::optional<RosterColumn> columnOfHeading(std::string_view heading)
{
    const auto columnOf = [&](ShortWord::Brackets brackets) {
        const ShortWord word(heading, brackets);
        const std::optional<RosterColumn> column = columnOfWord(word.view());
        return column ? column : columnOfSynonym(word.view());
    };
    if (const std::optional<RosterColumn> column = columnOf(ShortWord::Brackets::Kept))
        return column;
    // "Cost (000s)" and "Skills (learned)" name their columns before the brackets.
    if (heading.find('(') == std::string_view::npos)
        return std::nullopt;
    return columnOf(ShortWord::Brackets::Dropped);
}

bool isOtherToolsHeading(std::string_view heading)
{
    const std::string word = normalisedWord(heading);
    return !columnOfWord(word) && !columnOfWord(normalisedWord(withoutBrackets(heading)));
}

GoldPieces scaleOfHeading(std::string_view heading)
{
    // The note is in brackets ("Value (000s)", "Cost (k)") or the last word.
    const std::size_t open = heading.rfind('(');
    std::string note = normalisedWord(open == std::string_view::npos ? heading : heading.substr(open));
    if (open == std::string_view::npos) {
        const std::size_t blank = heading.find_last_of(' ');
        note = blank == std::string_view::npos ? std::string() : normalisedWord(heading.substr(blank));
    }
    return note == "000s" || note == "000" || note == "k" || note == "kgp" || note == "thousands" ? 1'000 : 1;
}
