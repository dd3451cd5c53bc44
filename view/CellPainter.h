#pragma once

#include "RosterSheet.h"

#include <QString>

class QPainter;
class QRect;
class SheetTotals;
class StringGrid;

// Paints the cells of the main window's grids: headings in the headings
// colour, the current cell in the table font's colour on the table's, and a
// corner mark on a cell whose amount the totals question.
class CellPainter
{
public:
    enum class CellLook
    {
        Heading,
        Focused,
        Body
    };

    CellPainter(const RosterSheet& sheet, const SheetTotals& totals);

    // Grids with a heading row, and grids with a heading column.
    void paintRowHeaded(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                        bool focused) const;
    void paintColumnHeaded(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                           bool focused) const;
    void paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                   CellLook look) const;

    // The cell's text when its cell shows it cut; empty when it fits.
    static QString wholeTextIfCut(const StringGrid* grid, int col, int row);

private:
    void paintMark(StringGrid* grid, QPainter& canvas, const QRect& rect) const;

    const RosterSheet& m_sheet;
    const SheetTotals& m_totals;
};
