#pragma once

#include <QStyledItemDelegate>

class StringGrid;

// Hands the painting of each cell to its grid and reports every change of the
// in-place editor's text as it happens.
class StringGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit StringGridDelegate(StringGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    StringGrid* m_grid;
};
