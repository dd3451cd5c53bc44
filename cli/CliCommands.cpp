#include "CliCommands.h"

#include "ConvertCommand.h"
#include "FetchCommand.h"
#include "ImportCommand.h"
#include "PaperCommands.h"
#include "ReadCommand.h"

// Each command lives in a file of its own and is listed here.

std::span<const CliCommand> cliCommands()
{
    static const CliCommand commands[] = {
        {"read", "PAGE", runReadCommand},
        {"import", "PAGE", runImportCommand},
        {"fetch", "URL", runFetchCommand},
        {"convert", "[--strict] IN OUT", runConvertCommand},
        {"pdf", "IN OUT.pdf | pdf --to DIR PAGE...", runPdfCommand},
        {"csv", "IN OUT.csv | csv --to DIR PAGE...", runCsvCommand},
    };
    return commands;
}
