#include "CliCommands.h"

// Each command lives in a file of its own and is listed here.

std::span<const CliCommand> cliCommands()
{
    static const CliCommand commands[] = {
        {"help", "", [](const std::vector<std::string>&) { return 0; }},
    };
    return commands;
}
