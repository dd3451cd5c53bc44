#pragma once

#include "Money.h"
#include "WordTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// What a column of a roster table holds, judged by its heading.
enum class RosterColumn
{
    Number,
    Name,
    Position,
    MA,
    ST,
    AG,
    PA,
    AV,
    Skills,
    Injuries,
    NigglingInjuries,
    MissNextGame,
    Completions,
    Touchdowns,
    Interceptions,
    Casualties,
    MVPs,
    SPP,
    Value,
};

// The column a heading names, by meaning and in any case: "#", "No." and "Nr"
// are the number, "Player's Name" the name, "M" the movement, "Skills &
// Traits" the skills, "Current Value" the value and so on; words in brackets
// count only where the rest names nothing. No value for a heading of any
// other meaning.
std::optional<RosterColumn> columnOfHeading(std::string_view heading);

// True for a heading that names its column in the words of another tool
// ("Abilities", "Price"), which the import's summary then names.
bool isOtherToolsHeading(std::string_view heading);

// The gold pieces each plain number of the column stands for: 1000 where the
// heading notes thousands ("Value (000s)", "Cost (k)"), else 1.
GoldPieces scaleOfHeading(std::string_view heading);

// The text without what it holds in brackets.
std::string withoutBrackets(std::string_view text);

// Letters and digits of the text in lower case, and "#": the form in which
// headings and labels are compared.
std::string normalisedWord(std::string_view text);

// The meaning a table of normalised words gives the word, if any.
template <typename Meaning, std::size_t Count>
std::optional<Meaning> meaningOf(const std::pair<std::string_view, Meaning> (&words)[Count],
                                 std::string_view word)
{
    for (const auto& [known, meaning] : words) {
        if (word == known)
            return meaning;
    }
    return std::nullopt;
}
