#include "FetchCommand.h"

#include "CliCommands.h"
#include "Errors.h"
#include "PageBatch.h"
#include "PageReport.h"
#include "TNMHTTP.h"

#include <cstdio>

// Fetches the page into output1.htm (header into Head.txt) in the current
// directory, as the editor's page source dialog does, then reports it as
// `read` would.
int runFetchCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return commandUsageError(*findCliCommand("fetch"));
    const std::string pageFile = "output1.htm";
    try {
        TNMHTTP http;
        http.FileName = pageFile;
        http.HeaderName = "Head.txt";
        http.Get(args[0].substr(0, ShortString::maxLength));
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", failureText(error).c_str());
        return 1;
    }
    return reportPageFile(pageFile);
}
