#pragma once

#include "RosterSheet.h"

#include <QString>

class LiveFindings;
class QColor;
class QPainter;
class QRect;
class SheetTotals;
class StringGrid;

// Paints the cells of the main window's grids: headings in the headings
// colour, the current cell in the table font's colour on the table's, and a
// corner mark on a cell whose amount the totals question, and another, in the
// opposite corner, on a cell the league rules find fault with.
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

    // The findings whose cells get their mark; none marks no cell.
    void setFindings(const LiveFindings* findings) { m_findings = findings; }

    // Grids with a heading row, and grids with a heading column.
    void paintRowHeaded(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                        bool focused) const;
    void paintColumnHeaded(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                           bool focused) const;
    void paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                   CellLook look) const;

    // The cell's text when its cell shows it cut; empty when it fits.
    static QString wholeTextIfCut(const StringGrid* grid, int col, int row);
    // Why the cell is marked, the totals' reasons before the findings', a
    // line each; a cell without a mark tells its text if it is cut.
    QString toolTipAt(const StringGrid* grid, int col, int row) const;

private:
    enum class Corner
    {
        TopRight,
        TopLeft
    };
    void paintMark(StringGrid* grid, QPainter& canvas, const QRect& rect, Corner corner,
                   const QColor& color) const;

    const RosterSheet& m_sheet;
    const SheetTotals& m_totals;
    const LiveFindings* m_findings = nullptr;
};
