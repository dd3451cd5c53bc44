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

// The rule tests look at what each line sets, and a line often sets nothing
// or only the page's name and look: such a page is refused as no roster page
// (see NotARosterPage). It is read here behind a first line that makes it one
// (a cheerleader count, which no test's line leaves at other than its start
// value on such a page), and that count is taken back, so the result shows
// what the test's lines set.
inline ReadResult readLines(std::vector<std::string> lines, TextEncoding encoding = TextEncoding::Utf8)
{
    ReadResult result;
    try {
        readRosterPage(PageLines{lines, encoding}, result.team, result.matchRecord);
    } catch (const ENotRosterPage&) {
        lines.insert(lines.begin(), "<TD>Cheerleaders:</TD><TD>1</TD>");
        readRosterPage(PageLines{std::move(lines), encoding}, result.team, result.matchRecord);
        result.team.Cheerleaders = readerStartTeam().Cheerleaders;
    }
    return result;
}

inline TTeam readTeam(std::vector<std::string> lines)
{
    return readLines(std::move(lines)).team;
}
