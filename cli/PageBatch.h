#pragma once

#include "MatchRecord.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

// A roster page as the reader made it of a file.
struct ReadPage
{
    TTeam team;
    MatchRecord matchRecord;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Loads and reads the page file; throws the reader's and the loader's errors.
ReadPage readPageFile(const std::string& path);

// The text an error is reported with: its message, and for a file the
// system's reason after a colon ("Cannot open file x.htm: No such file or
// directory").
std::string failureText(const std::exception& error);

// Runs work on each page in turn. A page whose work throws has its failure
// reported on standard error, prefixed with "PATH: " when there is more than
// one page, and the next page is taken up. Returns 0 when every page went
// well, 1 when any failed.
int runForEachPage(const std::vector<std::string>& pages,
                   const std::function<void(const std::string& page)>& work);
