#pragma once

#include "TTeam.h"
#include "TextEncoding.h"

#include <QString>
#include <string>
#include <vector>

// The texts of one string grid as the window shows them.
struct GridSnapshot
{
    int colCount = 0;
    int rowCount = 0;
    // cells[row][col]; a row may stop before colCount, its missing cells empty.
    std::vector<std::vector<QString>> cells;

    // A cell outside the grid, or one never given a text, reads as empty.
    const QString& cell(int col, int row) const;
};

// Everything the page is made of, as the main window shows it.
struct PageSnapshot
{
    GridSnapshot teamGrid, teamGrid2, teamGrid3;
    GridSnapshot gameGrid;       // columns in the order the user sees them (after drags)
    TColor windowColor = 0;      // main window background
    TColor tableColor = 0;       // TeamGrid cell colour
    TColor headingsColor = 0;    // TeamGrid heading-cell colour
    TColor tableFontColor = 0;   // the main window's font colour; may be the system reference 0x80000008
    QString tableFontName;       // the main window's font face, as given
    TColor headingFontColor = 0; // LbTName's font colour
    QString headingFontName;     // LbTName's font face, as given
    TextEncoding encoding = TextEncoding::Utf8; // how the page shown was read; a new team is UTF-8
};

// The page's lines as bytes in the snapshot's encoding, without line ends.
// A Latin-1 page is written as UTF-8 instead when Latin-1 cannot hold its
// texts, or when its Latin-1 bytes would read back as UTF-8.
std::vector<std::string> buildRosterPage(const PageSnapshot& snapshot);
