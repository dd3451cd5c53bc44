#include "CliCommands.h"

#include "ReadCommand.h"

// Each command lives in a file of its own and is listed here.

std::span<const CliCommand> cliCommands()
{
    static const CliCommand commands[] = {
        {"read", "PAGE", runReadCommand},
    };
    return commands;
}
