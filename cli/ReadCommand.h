#pragma once

#include <string>
#include <vector>

// team-editor-cli read PAGE...: one page prints its JSON object over many
// lines; more pages print one object a line, each with its "Page".
int runReadCommand(const std::vector<std::string>& args);
