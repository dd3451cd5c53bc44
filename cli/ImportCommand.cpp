#include "ImportCommand.h"

#include "CliCommands.h"
#include "PageBatch.h"
#include "PageReport.h"
#include "RosterImporter.h"

#include <cstdio>

// Prints each imported team as `read` prints a read one, and the import's
// summary on standard error, so that the JSON stays the whole of the output.
int runImportCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return commandUsageError(*findCliCommand("import"));
    const bool oneLine = args.size() > 1;
    return runForEachPage(args, [oneLine](const std::string& page) {
        const ImportResult result = importRosterFile(page);
        printPageJson(result.team, result.matchRecord, TextEncoding::Utf8, page, oneLine);
        std::fprintf(stderr, "%s%s%s\n", oneLine ? page.c_str() : "", oneLine ? ": " : "",
                     result.summary().c_str());
    });
}
