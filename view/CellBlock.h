#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A rectangle of cell texts as it goes to and from the clipboard: rows ended by
// line breaks, cells parted by tabs, as spreadsheets copy and paste them. A
// cell holding a tab, a line break or a leading quote is quoted, its quotes
// doubled.
struct CellBlock
{
    std::vector<QStringList> rows;

    int rowCount() const { return int(rows.size()); }
    // The widest row's cell count.
    int colCount() const;
    // The text at (col, row); empty beyond a short row.
    QString at(int col, int row) const;

    QString toTabText() const;
    // Line ends may be CR LF, LF or CR; one line end at the end of the text
    // ends the last row rather than starting an empty one.
    static CellBlock fromTabText(const QString& text);
};
