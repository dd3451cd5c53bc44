#pragma once

#include <string>
#include <vector>

// One sub-command of team-editor-cli. It gets the arguments after its name and
// returns the process exit status: 0 when all went well, 1 when a page or
// file failed, 2 for arguments it cannot use. Failures are reported on
// standard error. A command that works on many pages runs them through
// runForEachPage (PageBatch.h), which gives all of them the same rules.
struct CliCommand
{
    const char* name;
    const char* usage;   // the arguments, as the usage shows them
    const char* summary; // what the command does, in a few words
    int (*run)(const std::vector<std::string>& args);
};

// Prints "usage: team-editor-cli NAME USAGE" on standard error; returns 2.
int commandUsageError(const CliCommand& command);
