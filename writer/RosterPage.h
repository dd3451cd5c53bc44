#pragma once

#include "RosterSheet.h"

#include <string>
#include <string_view>
#include <vector>

// The page's lines as bytes in the sheet's encoding, without line ends. The
// match table's columns are in the sheet's order (after drags); both tables
// take the colours of the sheet. A Latin-1 page is written as UTF-8 instead
// when Latin-1 cannot hold its texts, or when its Latin-1 bytes would read
// back as UTF-8.
std::vector<std::string> buildRosterPage(const RosterSheet& sheet);

// True when the line is the first line of a page this program wrote.
bool isOwnPageStart(std::string_view firstLine);
