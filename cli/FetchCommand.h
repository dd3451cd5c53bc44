#pragma once

#include <string>
#include <vector>

// team-editor-cli fetch [-o FILE] [--head FILE] [--timeout SECONDS] URL
int runFetchCommand(const std::vector<std::string>& args);
