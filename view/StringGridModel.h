#pragma once

#include "RosterSheet.h"

#include <QAbstractTableModel>
#include <QString>

// One grid of a roster sheet as a table model. Edits go to the sheet through
// its setCell; the model follows the sheet's changes as the grid hands them on.
// Heading (fixed) cells can be neither selected nor edited; every other cell can.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    StringGridModel(RosterSheet* sheet, SheetGrid grid, QObject* parent = nullptr);

    // Shows another grid, of this or another sheet.
    void setSheet(RosterSheet* sheet, SheetGrid grid);
    RosterSheet& sheet() const { return *m_sheet; }
    SheetGrid grid() const { return m_grid; }
    const SheetTable& table() const { return m_sheet->table(m_grid); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool isFixed(int col, int row) const { return table().isFixed(col, row); }
    const QString& cell(int col, int row) const { return table().cell(col, row); }

    // Tells the views of a change of the sheet, after it happened.
    void follow(const SheetChange& change);

private:
    // Rows and columns go in and out of the views as the sheet's size went.
    void followShape();
    void refreshAll();

    RosterSheet* m_sheet;
    SheetGrid m_grid;
    // The size the views know: the sheet has changed already when the model hears of it.
    int m_rows = 0;
    int m_cols = 0;
};
