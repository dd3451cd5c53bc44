#pragma once

#include "RosterSheet.h"
#include "TTeam.h"

#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class StringGridModel;

// A grid of texts addressed by column and row, its fixed (heading) rows and
// columns included: a view of one grid of a roster sheet. Texts, sizes and
// column widths live in the sheet, and every change goes through it, so the
// grid shows whatever changes the sheet however it changes. A grid made on its
// own views a sheet of its own. Sizes are in pixels: every cell is followed by
// a 1-pixel grid line on its right and below. The owner paints the cells and
// hears of selection and of every change the in-place editor makes.
class StringGrid : public QTableView
{
    Q_OBJECT
public:
    // focused: the cell is the grid's current cell and the grid is the active
    // control of its window.
    using DrawCellHandler = std::function<void(StringGrid* grid, QPainter& canvas, int col, int row,
                                               const QRect& rect, bool focused)>;
    using SelectCellHandler = std::function<void(StringGrid* grid, int col, int row)>;
    using SetEditTextHandler = std::function<void(StringGrid* grid, int col, int row, const QString& text)>;
    using CellPredicate = std::function<bool(int col, int row)>;
    // The tooltip of a cell; an empty text shows none.
    using ToolTipHandler = std::function<QString(int col, int row)>;
    // Prepares the in-place editor of a cell as it opens (a completer, say).
    using EditorSetup = std::function<void(QLineEdit* editor, const QModelIndex& index)>;

    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    // Views this grid of the sheet, which must outlive the grid or be shown
    // instead of another sheet before it goes.
    void showSheet(RosterSheet* sheet, SheetGrid grid);
    RosterSheet& sheet() const;
    SheetGrid sheetGrid() const;

    int colCount() const;
    void setColCount(int count);
    int rowCount() const;
    void setRowCount(int count);
    int fixedRows() const;
    void setFixedRows(int count);
    int fixedCols() const;
    void setFixedCols(int count);

    const QString& cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Empties every cell, the counts staying as they are.
    void clearCells();
    GridShape shape() const;
    void setShape(const GridShape& shape);

    TColor color() const { return m_color; }
    void setColor(TColor color);
    TColor fixedColor() const { return m_fixedColor; }
    void setFixedColor(TColor color);

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int rowHeightAt(int row) const;
    void setRowHeightAt(int row, int height);
    // Sizes of columns and rows the grid gains later.
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);

    // The rectangle a cell is painted in, without its grid lines; empty when
    // the cell is out of view.
    QRect cellRect(int col, int row) const;
    // The current cell as (column, row), (-1, -1) when there is none.
    QPoint currentCell() const;
    void setCurrentCell(int col, int row);

    // Let the style paint each cell before the draw handler paints over it,
    // and draw its focus mark on the focused cell afterwards.
    void setDefaultDrawing(bool on) { m_defaultDrawing = on; }
    bool defaultDrawing() const { return m_defaultDrawing; }
    // Let the user drag a column by its fixed cells to a new place.
    void setColumnsMovable(bool on) { m_columnsMovable = on; }
    // Moves a column with its cells and its width.
    void moveColumn(int from, int to);
    // Column widths as the sheet holds them, or as set for the screen.
    void applyColumnWidths();
    // Widths shown in place of the sheet's, from column 0 on; columns beyond
    // the list show the sheet's width. The sheet is not changed.
    void setScreenColumnWidths(std::vector<int> widths);
    // The width a column has on screen, its grid line not counted.
    int screenColWidth(int col) const;

    void setDrawCellHandler(DrawCellHandler handler) { m_drawCell = std::move(handler); }
    void setSelectCellHandler(SelectCellHandler handler) { m_selectCell = std::move(handler); }
    void setSetEditTextHandler(SetEditTextHandler handler) { m_setEditText = std::move(handler); }
    // Cells whose editor takes whole numbers only; every other cell takes any text.
    void setWholeNumberCells(CellPredicate numeric) { m_wholeNumber = std::move(numeric); }
    bool isWholeNumberCell(int col, int row) const { return m_wholeNumber && m_wholeNumber(col, row); }
    void setToolTipHandler(ToolTipHandler handler) { m_toolTip = std::move(handler); }
    void setEditorSetup(EditorSetup setup) { m_editorSetup = std::move(setup); }

    // Called by the grid's delegate.
    bool cellHasFocus(const QModelIndex& index) const;
    void drawCell(QPainter& painter, const QRect& rect, const QModelIndex& index);
    void editorTextEdited(const QModelIndex& index, const QString& text);
    void setUpEditor(QLineEdit* editor, const QModelIndex& index) const
    {
        if (m_editorSetup)
            m_editorSetup(editor, index);
    }

signals:
    // The user dragged a column's right grid line; width is the sheet's new width.
    void columnDragged(int col, int width);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The column whose right grid line lies under x, when x is within reach of one.
    int columnEdgeAt(int x) const;
    bool inFixedRows(int y) const;
    void moveToFirstEditableCell();
    void sheetChanged(const SheetChange& change);

    std::unique_ptr<RosterSheet> m_ownSheet;
    std::vector<int> m_screenWidths;
    StringGridModel* m_model;
    int m_observer = 0;
    TColor m_color = 0;
    TColor m_fixedColor = 0;
    bool m_defaultDrawing = false;
    bool m_columnsMovable = false;
    DrawCellHandler m_drawCell;
    SelectCellHandler m_selectCell;
    SetEditTextHandler m_setEditText;
    CellPredicate m_wholeNumber;
    ToolTipHandler m_toolTip;
    EditorSetup m_editorSetup;

    enum class MouseAction
    {
        None,
        Resize,
        Drag
    };
    MouseAction m_mouseAction = MouseAction::None;
    int m_mouseColumn = -1;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
};
