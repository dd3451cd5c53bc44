#include "CliCommands.h"

#include "CheckCommand.h"
#include "ConvertCommand.h"
#include "FetchCommand.h"
#include "ImportCommand.h"
#include "ReadCommand.h"

// Each command lives in a file of its own and is listed here.

std::span<const CliCommand> cliCommands()
{
    static const CliCommand commands[] = {
        {"read", "PAGE", runReadCommand},
        {"import", "PAGE", runImportCommand},
        {"fetch", "URL", runFetchCommand},
        {"convert", "[--strict] IN OUT", runConvertCommand},
        {"check", "PAGE... [--json]", runCheckCommand},
    };
    return commands;
}
