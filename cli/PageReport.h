#pragma once

#include "MatchRecord.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <string>

// Prints a team and its match record as JSON on standard output: one object
// over many lines, or with oneLine one line that starts with a "Page" member
// holding the path. Throws when standard output cannot be written.
void printPageJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding,
                   const std::string& path, bool oneLine);

// Loads the roster page file, reads it and prints it as printPageJson does.
// Throws when the file cannot be opened, the page cannot be read or standard
// output cannot be written.
void reportPage(const std::string& path, bool oneLine = false);

// reportPage for one page, its failure reported on standard error; returns
// the exit status, 0 or 1.
int reportPageFile(const std::string& path);
