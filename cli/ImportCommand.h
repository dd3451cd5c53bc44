#pragma once

#include <string>
#include <vector>

// team-editor-cli import PAGE
int runImportCommand(const std::vector<std::string>& args);
