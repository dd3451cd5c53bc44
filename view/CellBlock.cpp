#include "CellBlock.h"

#include <algorithm>

namespace {

bool needsQuotes(const QString& cell)
{
    return cell.contains(QLatin1Char('\t')) || cell.contains(QLatin1Char('\n')) ||
           cell.contains(QLatin1Char('\r')) || cell.startsWith(QLatin1Char('"'));
}

QString quoted(QString cell)
{
    cell.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

} // namespace

int CellBlock::colCount() const
{
    int widest = 0;
    for (const QStringList& row : rows)
        widest = std::max(widest, int(row.size()));
    return widest;
}

QString CellBlock::at(int col, int row) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= rows[std::size_t(row)].size())
        return {};
    return rows[std::size_t(row)][col];
}

QString CellBlock::toTabText() const
{
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype col = 0; col < row.size(); ++col) {
            if (col > 0)
                text += QLatin1Char('\t');
            text += needsQuotes(row[col]) ? quoted(row[col]) : row[col];
        }
        text += QLatin1Char('\n');
    }
    return text;
}

CellBlock CellBlock::fromTabText(const QString& text)
{
    CellBlock block;
    QStringList row;
    QString cell;
    bool inQuotes = false;
    bool atCellStart = true;
    const auto endRow = [&] {
        row.append(cell);
        block.rows.push_back(row);
        row.clear();
        cell.clear();
        atCellStart = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c != QLatin1Char('"'))
                cell += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                cell += text[++i];
            else
                inQuotes = false;
            continue;
        }
        if (c == QLatin1Char('"') && atCellStart) {
            inQuotes = true;
            atCellStart = false;
        } else if (c == QLatin1Char('\t')) {
            row.append(cell);
            cell.clear();
            atCellStart = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRow();
        } else {
            cell += c;
            atCellStart = false;
        }
    }
    // Text after the last line end is a row of its own.
    if (!row.isEmpty() || !cell.isEmpty() || !atCellStart || block.rows.empty())
        endRow();
    return block;
}
