#include "PageReport.h"

#include "Errors.h"
#include "RosterReader.h"
#include "TeamJson.h"

#include <cstdio>

int reportPageFile(const std::string& path)
{
    try {
        const PageLines page = loadPageFile(path);
        TTeam team;
        MatchRecord matchRecord;
        readRosterPage(page, team, matchRecord);
        // The text goes out in pieces: a page can ask for a match record
        // whose JSON is far larger than memory.
        const auto toStdout = [](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        };
        // A full disk or a closed pipe must not pass for a report.
        if (!writeTeamJson(team, matchRecord, page.encoding, toStdout) || std::fflush(stdout) != 0) {
            std::fputs("Unable to write to standard output\n", stderr);
            return 1;
        }
        return 0;
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
