#include "ImportCommand.h"

#include "Errors.h"
#include "RosterImporter.h"
#include "TeamJson.h"

#include <cstdio>

// Prints the imported team as `read` prints a read one, and the import's
// summary on standard error, so that the JSON stays the whole of the output.
int runImportCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fputs("usage: team-editor-cli import PAGE\n", stderr);
        return 2;
    }
    try {
        const ImportResult result = importRosterFile(args[0]);
        const auto toStdout = [](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
        };
        if (!writeTeamJson(result.team, result.matchRecord, TextEncoding::Utf8, toStdout) ||
            std::fflush(stdout) != 0) {
            std::fputs("Unable to write to standard output\n", stderr);
            return 1;
        }
        std::fprintf(stderr, "%s\n", result.summary().c_str());
        return 0;
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
