#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <algorithm>
#include <vector>

// Moves the item at from so that it lands at index to, the others keeping their order.
template <typename T> void moveItem(std::vector<T>& items, int from, int to)
{
    const auto first = items.begin();
    if (to > from)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

// The texts of a string grid, fixed (heading) cells included. Fixed cells can
// be neither selected nor edited; every other cell can.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Counts change at the end; cells that stay keep their texts, new cells are empty.
    void setColCount(int count);
    void setRowCount(int count);
    void setFixedRows(int count);
    void setFixedCols(int count);
    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }
    bool isFixed(int col, int row) const { return row < m_fixedRows || col < m_fixedCols; }

    // Cells outside the grid read as empty.
    const QString& cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Empties every cell, the counts staying as they are.
    void clearCells();
    // Moves a column with all its cells so that it lands at index to.
    void moveColumn(int from, int to);

private:
    void refreshFlags();

    // m_cells[row][col]: one entry per row, each holding its cells only up to
    // the last one that was set and never more than the column count. Cells
    // past a row's end are empty, so a grid of many columns and many empty
    // rows costs memory for the texts it has, not for rows times columns.
    std::vector<std::vector<QString>> m_cells;
    int m_colCount = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
};
