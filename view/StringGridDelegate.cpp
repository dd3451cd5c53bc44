#include "StringGridDelegate.h"

#include "StringGrid.h"
#include "WholeNumberValidator.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

StringGridDelegate::StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    if (m_grid->defaultDrawing())
        QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    m_grid->drawCell(*painter, option.rect, index);
    painter->restore();
    if (m_grid->defaultDrawing() && m_grid->cellHasFocus(index)) {
        QStyleOptionFocusRect focusMark;
        focusMark.initFrom(m_grid);
        focusMark.rect = option.rect;
        m_grid->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focusMark, painter, m_grid);
    }
}

QWidget* StringGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    if (m_grid->isWholeNumberCell(index.column(), index.row())) {
        // A rejected keystroke or paste leaves the text as it was.
        editor->setValidator(new WholeNumberValidator(editor));
        connect(editor, &QLineEdit::inputRejected, editor, [] { QApplication::beep(); });
    }
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, m_grid, [grid = m_grid, cell, editor](const QString& text) {
        if (!cell.isValid())
            return;
        // A cell holds one line: pasted line breaks become blanks.
        QString line = text;
        line.replace(QLatin1String("\r\n"), QLatin1String(" "));
        line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (line != text) {
            const int cursor = editor->cursorPosition();
            editor->setText(line);
            editor->setCursorPosition(std::min(cursor, int(line.size())));
        }
        // A whole number still being typed (a lone minus) is no number yet:
        // the cell keeps the one it has.
        if (editor->hasAcceptableInput())
            grid->editorTextEdited(cell, line);
    });
    m_grid->setUpEditor(editor, index);
    return editor;
}

void StringGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // Every keystroke stores the text in the cell at once; writing the same
    // text back would move the editor's cursor to the end.
    auto* lineEdit = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (lineEdit->text() != text)
        lineEdit->setText(text);
}

void StringGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    // Leaving a whole-number cell with a lone minus leaves the number it had.
    if (static_cast<QLineEdit*>(editor)->hasAcceptableInput())
        QStyledItemDelegate::setModelData(editor, model, index);
}

void StringGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
