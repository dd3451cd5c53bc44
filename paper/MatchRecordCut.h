#pragma once

#include "RosterSheet.h"

#include <QFont>
#include <QSizeF>
#include <QString>

class QPaintDevice;

// How much of a match record goes on the one sheet of a printed roster.
struct MatchRecordCut
{
    int rows = 0; // printed rows kept: those with any text below the heading row
    int totalRows = 0;
    int columns = 0;
    int totalColumns = 0;

    bool cuts() const { return rows < totalRows || columns < totalColumns; }
    // What was left out, as the sheet says it: "The first 80 of 9,998
    // matches are printed; 9,918 are left out." and, when columns were cut,
    // "Only the first 40 of 256 columns are printed."
    QString note() const;
};

// The whole match record of the sheet.
MatchRecordCut wholeMatchRecord(const RosterSheet& sheet);

// The first rows and columns of the match record that fit a page of this
// size (in pixels of device) below restHeight taken by the rest of the
// roster, in font; the heading cells in bold. A record that overflows by
// less than half is kept whole: shrinking it a little prints it all, still
// readable.
MatchRecordCut fittingMatchRecord(const RosterSheet& sheet, const QSizeF& page, qreal restHeight, QFont font,
                                  const QPaintDevice* device);

// Cuts the sheet's match record to the rows and columns of cut.
void applyMatchRecordCut(RosterSheet& sheet, const MatchRecordCut& cut);
