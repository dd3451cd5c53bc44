#pragma once

#include <string>
#include <vector>

// One sub-command of team-editor-cli. It gets the arguments after its name and
// returns the process exit status; failures are reported on standard error.
struct CliCommand
{
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};
