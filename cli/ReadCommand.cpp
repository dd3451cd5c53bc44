#include "ReadCommand.h"

#include "PageReport.h"

#include <cstdio>

int runReadCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fputs("usage: team-editor-cli read PAGE\n", stderr);
        return 2;
    }
    return reportPageFile(args[0]);
}
