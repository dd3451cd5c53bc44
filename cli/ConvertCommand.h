#pragma once

#include <string>
#include <vector>

// team-editor-cli convert IN OUT: reads the roster page IN as File, Open reads
// a local file and stores the page Save As would write for it at OUT.
// team-editor-cli convert --to DIR IN...: the same for each page IN, into DIR
// under the page's own file name.
int runConvertCommand(const std::vector<std::string>& args);
