#include "ReadCommand.h"

#include "CliCommands.h"
#include "PageBatch.h"
#include "PageReport.h"

int runReadCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return commandUsageError(*findCliCommand("read"));
    const bool oneLine = args.size() > 1;
    return runForEachPage(args, [oneLine](const std::string& page) { reportPage(page, oneLine); });
}
