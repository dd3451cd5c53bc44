#pragma once

#include "RosterReader.h"

#include <string>
#include <vector>

// The result of reading a page given as its lines.
struct ReadResult
{
    TTeam team;
    MatchRecord matchRecord;
};

inline ReadResult readLines(std::vector<std::string> lines, TextEncoding encoding = TextEncoding::Utf8)
{
    ReadResult result;
    readRosterPage(PageLines{std::move(lines), encoding}, result.team, result.matchRecord);
    return result;
}

inline TTeam readTeam(std::vector<std::string> lines)
{
    return readLines(std::move(lines)).team;
}
