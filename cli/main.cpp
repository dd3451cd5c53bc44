#include "CliCommand.h"
#include "CliCommands.h"

#include <cstdio>
#include <cstring>

namespace {

int printUsage()
{
    std::fputs("usage:\n", stderr);
    for (const CliCommand& command : cliCommands())
        std::fprintf(stderr, "  team-editor-cli %s %s\n", command.name, command.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return printUsage();
    for (const CliCommand& command : cliCommands()) {
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    return printUsage();
}
