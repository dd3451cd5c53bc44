#pragma once

#include <string>
#include <vector>

// team-editor-cli check [--rules FILE] PAGE... [--json]
// One line per page: the total the page states, the team value its players
// and staff add up to, and the verdict: agrees, disagrees, missing (the page
// states no total) or unknown (an amount cannot be read). Exit status 0 when
// every page agrees, 1 when any other verdict is given, 2 when a page cannot
// be read at all. With --rules, each page's findings against the league's
// rules follow its line (or go into its JSON object as "Findings"), and an
// error finding gives exit status 1 as well; a rules file that is refused
// gives 2 and checks nothing.
int runCheckCommand(const std::vector<std::string>& args);
