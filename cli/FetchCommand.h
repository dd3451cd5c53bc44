#pragma once

#include <string>
#include <vector>

// team-editor-cli fetch URL
int runFetchCommand(const std::vector<std::string>& args);
