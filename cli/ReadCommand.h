#pragma once

#include <string>
#include <vector>

// team-editor-cli read PAGE
int runReadCommand(const std::vector<std::string>& args);
