#pragma once

#include <string>

// Loads the roster page file, reads it and prints the team and its match
// record as JSON on standard output: one object over many lines, or with
// oneLine one line that starts with a "Page" member holding the path. Throws
// when the file cannot be opened, the page cannot be read or standard output
// cannot be written.
void reportPage(const std::string& path, bool oneLine = false);

// reportPage for one page, its failure reported on standard error; returns
// the exit status, 0 or 1.
int reportPageFile(const std::string& path);
