#pragma once

#include "CliCommand.h"

#include <span>
#include <string_view>

// Every command the companion knows, in the order its usage lists them.
std::span<const CliCommand> cliCommands();

// The command of that name; nullptr when there is none.
const CliCommand* findCliCommand(std::string_view name);
