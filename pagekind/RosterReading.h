#pragma once

#include "MatchRecord.h"
#include "PageFile.h"
#include "RosterImporter.h"
#include "TTeam.h"

#include <optional>
#include <string>

// A page taken as a roster: what the reader made of it or, for a page that
// another roster tool made, the import, which must not pass for a read.
struct RosterReading
{
    TTeam team;
    MatchRecord matchRecord;
    TextEncoding encoding = TextEncoding::Utf8;
    // Set for another tool's page; team and matchRecord are then empty.
    std::optional<ImportResult> otherTool;
};

// Reads the page's lines, loaded from the file at path, as File, Open does.
// A page this program wrote is known by its first line and read at once; any
// other page is also imported (from path), and when the import makes more of
// it than the reader did, or the reader found no roster in it at all, the
// import is the result. Throws the reader's errors otherwise.
RosterReading readAsRoster(const PageLines& page, const std::string& path);
