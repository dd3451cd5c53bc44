#include "CellNames.h"

namespace {

// A label without the colon it ends with on the page.
QString labelOf(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// "place: text", or just the place when the cell is empty.
QString named(const QString& place, const QString& text)
{
    return text.isEmpty() ? place : place + QStringLiteral(": ") + text;
}

} // namespace

QString accessibleCellName(const SheetTable& table, SheetGrid grid, int col, int row)
{
    const QString& text = table.cell(col, row);
    if (table.isFixed(col, row))
        return text;
    switch (grid) {
    case SheetGrid::Players:
        return named(QStringLiteral("Player %1, %2").arg(row).arg(labelOf(table.cell(col, 0))), text);
    case SheetGrid::Matches:
        return named(QStringLiteral("Match %1, %2").arg(row).arg(labelOf(table.cell(col, 0))), text);
    case SheetGrid::Details:
        return named(labelOf(table.cell(0, row)), text);
    case SheetGrid::Extras: {
        static const char* const parts[] = {"", "", " price", " cost"};
        const QString part = col < int(std::size(parts)) ? QString::fromLatin1(parts[col]) : QString();
        return named(labelOf(table.cell(0, row)) + part, text);
    }
    }
    return text;
}
