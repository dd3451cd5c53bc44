#pragma once

#include "RosterSheet.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

// The first cell of a sheet that its page does not give back: the page is
// read back from the bytes a save would store, and the cells of the sheet it
// reads to are compared with those of the sheet it was built from.
struct ReadBackDifference
{
    SheetGrid grid = SheetGrid::Players;
    int col = -1;
    int row = -1;      // the row as the window shows it
    QString shownText; // the cell's text in the window
    QString readText;  // the text the page gives back
    QString readError; // set instead when the page does not read back at all

    // "Match record, row 3, column 8: "Record gate" becomes """, or the error.
    QString describe() const;
};

// Heading cells that the page does not carry (the labels, the player table's
// headings) are not compared; the match record's are. Rows of the match
// record with no text at all are not written and so do not count, nor do
// cells beyond a grid's size, which read as empty. An empty cell of the team
// grids that comes back as the value shown for a value not given ("0", "-1",
// or a count's cost such as "20k") has lost nothing and does not count either.
std::optional<ReadBackDifference> readBackDifference(const RosterSheet& shown,
                                                     const std::vector<std::string>& pageLines);

// "This roster will not read back the same: <difference>."
QString readBackWarning(const ReadBackDifference& difference);
