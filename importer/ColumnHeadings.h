#pragma once

#include <optional>
#include <string_view>

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
// are the number, "Player's Name" the name, "M" the movement and so on. No
// value for a heading of any other meaning.
std::optional<RosterColumn> columnOfHeading(std::string_view heading);

// Letters and digits of the text in lower case, and "#": the form in which
// headings and labels are compared.
std::string normalisedWord(std::string_view text);
