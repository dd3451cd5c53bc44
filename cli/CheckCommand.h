#pragma once

#include <string>
#include <vector>

// team-editor-cli check PAGE... [--json]
// One line per page: the total the page states, the team value its players
// and staff add up to, and the verdict: agrees, disagrees, missing (the page
// states no total) or unknown (an amount cannot be read). Exit status 0 when
// every page agrees, 1 when any other verdict is given, 2 when a page cannot
// be read at all.
int runCheckCommand(const std::vector<std::string>& args);
