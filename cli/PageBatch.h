#pragma once

#include "RosterReading.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

// A roster page as the reader made it of a file (never another tool's page).
using ReadPage = RosterReading;

// Loads and reads the page file as File, Open does; throws the reader's and
// the loader's errors, and EOtherToolPage for a page another roster tool made.
ReadPage readPageFile(const std::string& path);

// The text an error is reported with: its message, and for a file the
// system's reason after a colon ("Cannot open file x.htm: No such file or
// directory"); for another tool's page, the command that reads it.
std::string failureText(const std::exception& error);

// The line a page's failure is reported with: "PATH: " and the failure text,
// the path left out for a single page whose message names the file already.
std::string pageFailureLine(const std::string& page, const std::exception& error, bool manyPages);

// Runs work on each page in turn. A page whose work throws has its failure
// reported on standard error by pageFailureLine, and the next page is taken
// up. Returns 0 when every page went well, 1 when any failed.
int runForEachPage(const std::vector<std::string>& pages,
                   const std::function<void(const std::string& page)>& work);
