#pragma once

#include <string>
#include <vector>

// team-editor-cli rules learn PAGE... [-o FILE]
//   Writes the rules file learned from the pages (RulesLearner) to FILE or
//   standard output; where the pages disagree, says so on standard error.
//   Exit status 1 when a page cannot be read (the rest are learned from).
// team-editor-cli rules check FILE
//   Reads a rules file and prints the league and a one-line summary per race;
//   exit status 1 when the file is refused.
int runRulesCommand(const std::vector<std::string>& args);
