#pragma once

#include "MatchRecord.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <string>
#include <string_view>
#include <vector>

// A page of another roster tool, read by meaning rather than by keyword lines.
struct ImportResult
{
    // Texts are UTF-8, whatever the page's encoding.
    TTeam team;
    MatchRecord matchRecord;
    int playerCount = 0;
    // Headings of the roster table that name no field of the record, as the
    // page writes them, each once.
    std::vector<std::string> ignoredColumns;
    // The page numbers its players beyond 16 or twice, so they took the
    // slots in page order instead.
    bool placedInPageOrder = false;
    // The roster table has no heading row; its columns were named by the
    // class names of its cells.
    bool columnsFromCellClasses = false;
    // Rows of the players' table that were staff, not players.
    int staffLineCount = 0;
    // Headings in another tool's words and the field each filled
    // ("Skills & Traits", "skills").
    std::vector<std::pair<std::string, std::string>> headingsRead;
    // Team fields the page does not give, which keep their new-team values.
    std::vector<std::string> notInPage;
    // The page's colours would leave the table text unreadable, so the team
    // keeps the new-team colours.
    bool unreadableColours = false;

    // "Imported 12 players, 2 staff lines, team value 1,150k; ignored: PA
    // column; not in the page: fan factor" and what else the import had to
    // decide.
    std::string summary() const;
};

// Finds the roster table by its headings and the team fields by their labels.
// Players fill slots 1 to 16 in page order, or by their own numbers when all
// of these are 1 to 16 and unique; rows with neither a name nor a movement
// allowance are passed over; staff rows fill the staff and total rows the
// team's value. Team fields not on the page keep their new-team values. Throws ENotRosterPage("Not a roster
// page") for a page with neither a roster table nor a team field, and TeamEditorError("More than 16 players
// in the page").
ImportResult importRosterPage(std::string_view pageBytes);

// The same for a file, read under the reader's checks: throws EFileError for a
// file that cannot be read, is no regular file or is larger than a page may be.
ImportResult importRosterFile(const std::string& path);

// True when the import makes more of a page than the keyword reader did: more
// players, or a team name that differs from the one read (which on other
// tools' pages holds the text of their mark-up).
bool importFindsMore(const ImportResult& imported, const TTeam& read, TextEncoding readEncoding);
