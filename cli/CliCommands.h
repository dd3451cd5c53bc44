#pragma once

#include "CliCommand.h"

#include <span>

// Every command the companion knows, in the order its usage lists them.
std::span<const CliCommand> cliCommands();
