#include "StringGridModel.h"

#include <algorithm>

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_cells.size());
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_colCount;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.column(), index.row());
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || isFixed(index.column(), index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void StringGridModel::setColCount(int count)
{
    count = std::max(count, 0);
    if (count == m_colCount)
        return;
    const bool growing = count > m_colCount;
    if (growing)
        beginInsertColumns(QModelIndex(), m_colCount, count - 1);
    else
        beginRemoveColumns(QModelIndex(), count, m_colCount - 1);
    m_colCount = count;
    // New columns are empty without being stored; removed ones lose their texts.
    if (!growing) {
        for (auto& row : m_cells) {
            if (row.size() > std::size_t(count))
                row.resize(std::size_t(count));
        }
    }
    if (growing)
        endInsertColumns();
    else
        endRemoveColumns();
}

void StringGridModel::setRowCount(int count)
{
    count = std::max(count, 0);
    const int rows = rowCount();
    if (count == rows)
        return;
    if (count > rows) {
        beginInsertRows(QModelIndex(), rows, count - 1);
        m_cells.resize(std::size_t(count));
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), count, rows - 1);
        m_cells.resize(std::size_t(count));
        endRemoveRows();
    }
}

void StringGridModel::clearCells()
{
    bool cleared = false;
    for (auto& row : m_cells) {
        cleared = cleared ||
                  std::any_of(row.begin(), row.end(), [](const QString& text) { return !text.isEmpty(); });
        row.clear();
        row.shrink_to_fit();
    }
    if (cleared)
        emit dataChanged(index(0, 0), index(rowCount() - 1, m_colCount - 1));
}

void StringGridModel::setFixedRows(int count)
{
    m_fixedRows = std::max(count, 0);
    refreshFlags();
}

void StringGridModel::setFixedCols(int count)
{
    m_fixedCols = std::max(count, 0);
    refreshFlags();
}

const QString& StringGridModel::cell(int col, int row) const
{
    static const QString empty;
    if (row < 0 || row >= rowCount() || col < 0 || col >= m_colCount)
        return empty;
    const auto& cells = m_cells[std::size_t(row)];
    return std::size_t(col) < cells.size() ? cells[std::size_t(col)] : empty;
}

void StringGridModel::setCell(int col, int row, const QString& text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= m_colCount)
        return;
    if (cell(col, row) == text)
        return;
    auto& cells = m_cells[std::size_t(row)];
    if (std::size_t(col) >= cells.size())
        cells.resize(std::size_t(col) + 1);
    cells[std::size_t(col)] = text;
    const QModelIndex changed = index(row, col);
    emit dataChanged(changed, changed);
}

void StringGridModel::moveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_colCount || to >= m_colCount)
        return;
    // The texts move; the columns themselves stay, so views keep their sections.
    // A row that ends before both columns has nothing to move; a row that ends
    // between or on them is filled out to the farther one first.
    const std::size_t first = std::size_t(std::min(from, to));
    const std::size_t last = std::size_t(std::max(from, to));
    for (auto& row : m_cells) {
        if (row.size() <= first)
            continue;
        if (row.size() <= last)
            row.resize(last + 1);
        moveItem(row, from, to);
    }
    emit dataChanged(index(0, int(first)), index(rowCount() - 1, int(last)));
}

void StringGridModel::refreshFlags()
{
    if (rowCount() > 0 && m_colCount > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, m_colCount - 1));
}
