#include "CellPainter.h"

#include "ColorValue.h"
#include "LiveFindings.h"
#include "SheetTotals.h"
#include "StringGrid.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// The corner that marks a cell whose amount cannot be read or disagrees with its parts.
constexpr int MarkSize = 6;
const QColor MarkColor(0xC0, 0x00, 0x00);
// The corner that marks a cell the league rules find fault with.
const QColor FindingMarkColor(0xF0, 0x80, 0x00);

} // namespace

CellPainter::CellPainter(const RosterSheet& sheet, const SheetTotals& totals)
    : m_sheet(sheet), m_totals(totals)
{
}

void CellPainter::paintRowHeaded(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                                 bool focused) const
{
    const CellLook look = row == 0 ? CellLook::Heading : focused ? CellLook::Focused : CellLook::Body;
    paintCell(grid, canvas, col, row, rect, look);
}

void CellPainter::paintColumnHeaded(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                                    bool focused) const
{
    const CellLook look = col == 0 ? CellLook::Heading : focused ? CellLook::Focused : CellLook::Body;
    paintCell(grid, canvas, col, row, rect, look);
}

void CellPainter::paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                            CellLook look) const
{
    const TColor tableFontColor = m_sheet.fontColor(SheetFont::Table);
    const TColor fill = look == CellLook::Heading   ? grid->fixedColor()
                        : look == CellLook::Focused ? tableFontColor
                                                    : grid->color();
    const TColor ink = look == CellLook::Focused ? grid->color() : tableFontColor;
    canvas.fillRect(rect, toQColor(fill, grid->palette()));
    canvas.setFont(grid->font());
    canvas.setPen(toQColor(ink, grid->palette()));
    canvas.setClipRect(rect);
    // A text wider than its cell ends in an ellipsis; its tooltip shows it
    // whole. A cell too narrow for a letter and the ellipsis shows what fits.
    const QString& text = grid->cell(col, row);
    QString shown = QFontMetrics(grid->font()).elidedText(text, Qt::ElideRight, rect.width());
    if (shown != text && shown.size() < 2)
        shown = text;
    canvas.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    if (look == CellLook::Heading)
        return;
    if (m_totals.hasMark(grid->sheetGrid(), col, row))
        paintMark(grid, canvas, rect, Corner::TopRight, MarkColor);
    if (m_findings && m_findings->hasMark(grid->sheetGrid(), col, row))
        paintMark(grid, canvas, rect, Corner::TopLeft, FindingMarkColor);
}

QString CellPainter::wholeTextIfCut(const StringGrid* grid, int col, int row)
{
    const QString& text = grid->cell(col, row);
    const bool cut = QFontMetrics(grid->font()).horizontalAdvance(text) > grid->cellRect(col, row).width();
    return cut ? text : QString();
}

QString CellPainter::toolTipAt(const StringGrid* grid, int col, int row) const
{
    QStringList marks = {m_totals.markAt(grid->sheetGrid(), col, row)};
    if (m_findings)
        marks << m_findings->markAt(grid->sheetGrid(), col, row);
    marks.removeAll(QString());
    return marks.isEmpty() ? wholeTextIfCut(grid, col, row) : marks.join(QLatin1Char('\n'));
}

void CellPainter::paintMark(StringGrid* grid, QPainter& canvas, const QRect& rect, Corner corner,
                            const QColor& color) const
{
    // A small corner, as spreadsheets mark a cell with a note: the cell keeps
    // its colours, and the page written never shows it. It goes in the corner
    // that can be seen: a grid may cut off its last column's right edge.
    const QRect visible = rect & grid->viewport()->rect();
    const int size = std::min({MarkSize, visible.width(), visible.height()});
    if (size <= 0)
        return;
    const QPolygon triangle =
        corner == Corner::TopRight
            ? QPolygon({visible.topRight() + QPoint(1 - size, 0), visible.topRight() + QPoint(1, 0),
                        visible.topRight() + QPoint(1, size)})
            : QPolygon({visible.topLeft(), visible.topLeft() + QPoint(size, 0),
                        visible.topLeft() + QPoint(0, size)});
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(color);
    canvas.drawPolygon(triangle);
}
