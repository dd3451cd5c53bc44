#pragma once

#include "RosterSheet.h"

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

// The texts a roster export is made of, apart from where they are shown.
struct RosterTexts
{
    QStringList playerHeadings;
    std::vector<QStringList> players;                    // one per slot, in slot order
    std::vector<std::pair<QString, QString>> teamFields; // name, value
};

// The sixteen slots and the team's fields as the window shows them: the
// slot rows of the player grid, then the team details and the count, price
// and cost of every extra under a name of its own.
RosterTexts rosterTexts(const RosterSheet& sheet);

// The roster as CSV (RFC 4180: CR LF line ends, fields holding a comma,
// quote or line break quoted, quotes doubled), UTF-8 behind a byte order
// mark so that spreadsheets take it as UTF-8. One file in two sections: a
// heading row and a row per slot; then an empty line, a "Field,Value"
// heading and one name,value row per team field. A cell that a spreadsheet
// would run as a formula (it starts with "=", "+", "-", "@", a tab or a
// carriage return, and is no plain number such as "-1") is written with an
// apostrophe before it, which makes a spreadsheet show it as text; so is a
// cell that starts so after apostrophes.
std::string rosterCsv(const RosterTexts& texts);

// Writes the roster's CSV to fileName through the page store, atomically.
// Throws EFileError with the store's messages.
void storeRosterCsv(const RosterSheet& sheet, const QString& fileName);
