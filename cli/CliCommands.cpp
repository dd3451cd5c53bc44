#include "CliCommands.h"

#include "CheckCommand.h"
#include "ConvertCommand.h"
#include "FetchCommand.h"
#include "ImportCommand.h"
#include "PaperCommands.h"
#include "ReadCommand.h"
#include "RulesCommand.h"

#include <cstdio>

// Each command lives in a file of its own and is listed here.

std::span<const CliCommand> cliCommands()
{
    static const CliCommand commands[] = {
        {"read", "PAGE...", "print each page read as JSON (one line a page when more than one)",
         runReadCommand},
        {"import", "PAGE...", "print each page made by another roster tool as read does", runImportCommand},
        {"fetch", "[-o FILE] [--head FILE] [--timeout SECONDS] [--max-time SECONDS] URL",
         "fetch a page into output1.htm (or FILE) and print it as read does", runFetchCommand},
        {"convert", "[--strict] IN OUT | [--strict] --to DIR IN...",
         "write the page the editor saves for each page read", runConvertCommand},
        {"pdf", "IN OUT.pdf | --to DIR PAGE...", "print each page read to a one-page PDF", runPdfCommand},
        {"csv", "IN OUT.csv | --to DIR PAGE...",
         "export the players and team fields of each page read as CSV", runCsvCommand},
        {"check", "[--rules FILE] PAGE... [--json]",
         "compare each page's Cost of Team with the sum of its players and staff (and with its league's "
         "rules)",
         runCheckCommand},
        {"rules", "learn PAGE... [-o FILE] | check FILE",
         "learn a league rules file from the league's pages, or check a rules file", runRulesCommand},
    };
    return commands;
}

const CliCommand* findCliCommand(std::string_view name)
{
    for (const CliCommand& command : cliCommands()) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

int commandUsageError(const CliCommand& command)
{
    std::fprintf(stderr, "usage: team-editor-cli %s %s\n", command.name, command.usage);
    return 2;
}
