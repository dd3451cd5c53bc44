#include "CliCommand.h"
#include "CliCommands.h"
#include "TemporaryFiles.h"

#include <cstdio>
#include <string_view>

namespace {

void printUsage(std::FILE* out)
{
    std::fputs("usage: team-editor-cli COMMAND ARGUMENTS...\n", out);
    const auto line = [out](const char* name, const char* usage, const char* summary) {
        std::fprintf(out, "  %-9s %-24s %s\n", name, usage, summary);
    };
    for (const CliCommand& command : cliCommands())
        line(command.name, command.usage, command.summary);
    line("--help", "", "print this usage");
    line("--version", "", "print the version");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h") {
        printUsage(stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (name == "--version") {
        std::printf("team-editor-cli %s\n", TE_VERSION);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // Ctrl+C or a kill while a file is written leaves no part of it behind.
    TemporaryFiles::removeOnSignals();
    if (const CliCommand* command = findCliCommand(name))
        return command->run(std::vector<std::string>(argv + 2, argv + argc));
    std::fprintf(stderr, "team-editor-cli: unknown command '%s'\n", argv[1]);
    printUsage(stderr);
    return 2;
}
