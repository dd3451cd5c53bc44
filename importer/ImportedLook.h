#pragma once

#include "PageTables.h"
#include "TTeam.h"

#include <optional>
#include <string_view>

// "#FF0000", "FF0000", "#F00" or one of the sixteen HTML colour names; no
// value for anything else.
std::optional<TColor> pageColour(std::string_view text);

// The look a page states on its body, its roster table and that table's
// heading row and first heading cell.
struct RosterPageLook
{
    ElementLook body;
    std::optional<ElementLook> table;
    std::optional<ElementLook> headingRow;
    std::optional<ElementLook> headingCell;
};

// Sets the colours and fonts the page states; the rest keeps the team's look.
void applyPageLook(const RosterPageLook& look, TTeam& team);

// The WCAG contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrastRatio(TColor first, TColor second);

// True when the table text reads on the page, the heading cells and the
// table cells: a contrast ratio of at least 4.5 with each.
bool textReadsOnColours(const TTeam& team);
