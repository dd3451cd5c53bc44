#include "ColumnFitter.h"

#include "StringGrid.h"

#include <algorithm>
#include <numeric>

namespace {

// Room after the widest text, so that its last letter is not cut by the grid line.
constexpr int TextRoom = 4;
constexpr int GridLine = 1;

} // namespace

ColumnFitter::ColumnFitter(StringGrid* grid, int stretchColumn) : m_grid(grid), m_stretchColumn(stretchColumn)
{
}

void ColumnFitter::measure()
{
    const QFontMetrics metrics(m_grid->font());
    const SheetTable& table = m_grid->sheet().table(m_grid->sheetGrid());
    m_textWidths.assign(std::size_t(table.colCount()), 0);
    for (int row = 0; row < table.rowCount(); ++row) {
        const int stored = std::min(table.storedCellCount(row), table.colCount());
        for (int col = 0; col < stored; ++col) {
            const QString& text = table.cell(col, row);
            if (text.isEmpty())
                continue;
            int& widest = m_textWidths[std::size_t(col)];
            widest = std::max(widest, metrics.horizontalAdvance(text) + TextRoom);
        }
    }
}

void ColumnFitter::columnDragged(int col, int width)
{
    m_dragged[col] = std::max(width, 0);
}

void ColumnFitter::columnMoved(int from, int to)
{
    if (from == to)
        return;
    // Every column between the two places shifts by one towards from.
    const auto placeAfterMove = [from, to](int col) {
        if (col == from)
            return to;
        if (from < to && col > from && col <= to)
            return col - 1;
        if (to < from && col >= to && col < from)
            return col + 1;
        return col;
    };
    std::map<int, int> dragged;
    for (const auto& [col, width] : m_dragged)
        dragged[placeAfterMove(col)] = width;
    m_dragged = std::move(dragged);
    if (m_stretchColumn >= 0)
        m_stretchColumn = placeAfterMove(m_stretchColumn);
    measure();
}

int ColumnFitter::baseWidth(int col) const
{
    if (const auto dragged = m_dragged.find(col); dragged != m_dragged.end())
        return dragged->second;
    // The stretch column fits its text only as far as the grid's width allows,
    // so that one long text does not push the grid beyond the window.
    const int fitted =
        col < int(m_textWidths.size()) && col != m_stretchColumn ? m_textWidths[std::size_t(col)] : 0;
    return std::max(m_grid->colWidth(col), fitted);
}

int ColumnFitter::minimumWidth() const
{
    int sum = 0;
    for (int col = 0; col < m_grid->colCount(); ++col)
        sum += baseWidth(col) + GridLine;
    return sum;
}

std::vector<int> ColumnFitter::widths(int gridWidth) const
{
    std::vector<int> result;
    result.reserve(std::size_t(std::max(m_grid->colCount(), 0)));
    for (int col = 0; col < m_grid->colCount(); ++col)
        result.push_back(baseWidth(col));
    const int spare = gridWidth - minimumWidth();
    if (spare > 0 && m_stretchColumn >= 0 && m_stretchColumn < int(result.size()) &&
        !m_dragged.contains(m_stretchColumn))
        result[std::size_t(m_stretchColumn)] += spare;
    return result;
}

void ColumnFitter::apply() const
{
    m_grid->setScreenColumnWidths(widths(m_grid->width()));
}
