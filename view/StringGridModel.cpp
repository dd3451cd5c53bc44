#include "StringGridModel.h"

#include "CellNames.h"

#include <algorithm>

StringGridModel::StringGridModel(RosterSheet* sheet, SheetGrid grid, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_grid(grid), m_rows(table().rowCount()),
      m_cols(table().colCount())
{
}

void StringGridModel::setSheet(RosterSheet* sheet, SheetGrid grid)
{
    beginResetModel();
    m_sheet = sheet;
    m_grid = grid;
    m_rows = table().rowCount();
    m_cols = table().colCount();
    endResetModel();
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (index.isValid() && role == Qt::AccessibleTextRole)
        return accessibleCellName(table(), m_grid, index.column(), index.row());
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.column(), index.row());
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    m_sheet->setCell(m_grid, index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || isFixed(index.column(), index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void StringGridModel::follow(const SheetChange& change)
{
    using Kind = SheetChange::Kind;
    if (change.kind == Kind::Replaced) {
        followShape();
        refreshAll();
        return;
    }
    if (change.grid != m_grid)
        return;
    switch (change.kind) {
    case Kind::Cell:
        if (change.row < m_rows && change.col < m_cols) {
            const QModelIndex changed = index(change.row, change.col);
            emit dataChanged(changed, changed);
        }
        break;
    case Kind::Shape:
        followShape();
        // Heading rows and columns may have changed, and with them the flags.
        if (change.oldShape.fixedRows != change.newShape.fixedRows ||
            change.oldShape.fixedCols != change.newShape.fixedCols)
            refreshAll();
        break;
    case Kind::ColumnMove:
        if (m_rows > 0)
            emit dataChanged(index(0, std::min(change.from, change.to)),
                             index(m_rows - 1, std::max(change.from, change.to)));
        break;
    default:
        break;
    }
}

void StringGridModel::followShape()
{
    const int rows = table().rowCount();
    const int cols = table().colCount();
    if (cols > m_cols) {
        beginInsertColumns(QModelIndex(), m_cols, cols - 1);
        m_cols = cols;
        endInsertColumns();
    } else if (cols < m_cols) {
        beginRemoveColumns(QModelIndex(), cols, m_cols - 1);
        m_cols = cols;
        endRemoveColumns();
    }
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void StringGridModel::refreshAll()
{
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}
