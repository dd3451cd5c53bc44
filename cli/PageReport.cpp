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
        const std::string json = teamJson(team, matchRecord, page.encoding);
        // A full disk or a closed pipe must not pass for a report.
        if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() || std::fflush(stdout) != 0) {
            std::fputs("Unable to write to standard output\n", stderr);
            return 1;
        }
        return 0;
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
