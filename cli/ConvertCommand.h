#pragma once

#include <string>
#include <vector>

// team-editor-cli convert IN OUT: reads the roster page IN as File, Open reads
// a local file and stores the page Save As would write for it at OUT.
int runConvertCommand(const std::vector<std::string>& args);
