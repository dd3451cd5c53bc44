#pragma once

#include "Errors.h"
#include "MatchRecordRules.h"
#include "RosterReader.h"
#include "ScanState.h"

#include <string>
#include <vector>

// The result of reading a page given as its lines.
struct ReadResult
{
    TTeam team;
    MatchRecord matchRecord;
};

// The rule tests look at what each line sets, and a line often sets nothing: a
// page that gives no field (refused as no roster page, see NotARosterPage)
// stands here for the start values it left untouched.
inline ReadResult readLines(std::vector<std::string> lines, TextEncoding encoding = TextEncoding::Utf8)
{
    ReadResult result;
    try {
        readRosterPage(PageLines{std::move(lines), encoding}, result.team, result.matchRecord);
    } catch (const ENotRosterPage&) {
        result = ReadResult{readerStartTeam(), defaultMatchRecord()};
    }
    return result;
}

inline TTeam readTeam(std::vector<std::string> lines)
{
    return readLines(std::move(lines)).team;
}
