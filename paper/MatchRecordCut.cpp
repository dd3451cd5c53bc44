#include "MatchRecordCut.h"

#include <QFontMetricsF>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace {

// Room a cell takes besides its text: padding and borders, in layout pixels.
constexpr qreal cellExtra = 8;
// A record is cut only when it overflows by more than this.
constexpr qreal overflowKept = 1.5;

bool hasText(const SheetTable& games, int row)
{
    if (games.storedCellCount(row) == 0)
        return false;
    for (int col = 0; col < games.colCount(); ++col) {
        if (!games.cell(col, row).isEmpty())
            return true;
    }
    return false;
}

// The printed rows of the record, first to last, up to limit.
std::vector<int> printedRows(const SheetTable& games, int limit)
{
    std::vector<int> rows;
    for (int row = 1; row < games.rowCount() && static_cast<int>(rows.size()) < limit; ++row) {
        if (hasText(games, row))
            rows.push_back(row);
    }
    return rows;
}

// A column is at least as wide as its widest word.
qreal widestWord(const QFontMetricsF& metrics, const QString& text)
{
    qreal widest = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

} // namespace

QString MatchRecordCut::note() const
{
    const QLocale english(QLocale::English);
    QString text;
    if (rows < totalRows)
        text =
            QStringLiteral("The first %1 of %2 matches are printed; %3 are left out.")
                .arg(english.toString(rows), english.toString(totalRows), english.toString(totalRows - rows));
    if (columns < totalColumns) {
        text += QStringLiteral("%1Only the first %2 of %3 columns are printed.")
                    .arg(text.isEmpty() ? QString() : QStringLiteral(" "), english.toString(columns),
                         english.toString(totalColumns));
    }
    return text;
}

MatchRecordCut wholeMatchRecord(const RosterSheet& sheet)
{
    const SheetTable& games = sheet.table(SheetGrid::Matches);
    const int rows = static_cast<int>(printedRows(games, games.rowCount()).size());
    return {rows, rows, games.colCount(), games.colCount()};
}

MatchRecordCut fittingMatchRecord(const RosterSheet& sheet, const QSizeF& page, qreal restHeight, QFont font,
                                  const QPaintDevice* device)
{
    const SheetTable& games = sheet.table(SheetGrid::Matches);
    MatchRecordCut cut = wholeMatchRecord(sheet);
    const QFontMetricsF metrics(font, device);
    const qreal rowHeight = metrics.lineSpacing() + cellExtra;
    const int rowRoom = std::max(0, static_cast<int>((page.height() - restHeight) / rowHeight));
    if (cut.totalRows > rowRoom * overflowKept)
        cut.rows = rowRoom;

    const std::vector<int> rows = printedRows(games, cut.rows);
    font.setBold(true);
    const QFontMetricsF headingMetrics(font, device);
    qreal width = 0;
    int fitting = 0;
    for (int col = 0; col < games.colCount(); ++col) {
        qreal column = widestWord(headingMetrics, games.cell(col, 0));
        for (const int row : rows)
            column = std::max(column, widestWord(metrics, games.cell(col, row)));
        width += column + cellExtra;
        if (width <= page.width())
            fitting = col + 1;
        if (width > page.width() * overflowKept) {
            cut.columns = std::max(fitting, 1);
            break;
        }
    }
    return cut;
}

void applyMatchRecordCut(RosterSheet& sheet, const MatchRecordCut& cut)
{
    const SheetTable& games = sheet.table(SheetGrid::Matches);
    const std::vector<int> rows = printedRows(games, cut.rows);
    GridShape shape = games.shape();
    shape.rows = rows.empty() ? 1 : rows.back() + 1;
    shape.cols = std::min(shape.cols, cut.columns);
    sheet.setShape(SheetGrid::Matches, shape);
}
