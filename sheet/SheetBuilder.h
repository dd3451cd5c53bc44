#pragma once

#include "MatchRecord.h"
#include "RosterSheet.h"
#include "TTeam.h"
#include "TextEncoding.h"

// How a read page or a new team becomes what the window shows. The put...
// functions change a sheet through its own methods, so a sheet that is shown
// reports every change; the build... functions start from the window's
// start-up state.

// The team into the heading grids: labels, values, counts and the costs they
// imply where the page gave none, the player slots, the colours and the faces
// (a face is cut to 31 characters; an empty one leaves the sheet's face).
// Texts are decoded with the sheet's encoding. The match grid is left alone.
void putTeam(RosterSheet& sheet, const TTeam& team);

// The match record into the match grid: its size, heading rows and texts
// (decoded with encoding), and its height when the record gives one. Column
// widths the grid keeps stay; columns it gains take the default width.
void putMatchRecord(RosterSheet& sheet, const MatchRecord& record, TextEncoding encoding);

// A page read without failure, as showing it changes the sheet.
void putReadPage(RosterSheet& sheet, const TTeam& team, const MatchRecord& record, TextEncoding encoding);

// File, New: the new team, the match grid's eight headings over one empty
// row, UTF-8.
void putNewTeam(RosterSheet& sheet);

RosterSheet buildSheet(const TTeam& team, const MatchRecord& record, TextEncoding encoding);
RosterSheet buildNewTeamSheet();
