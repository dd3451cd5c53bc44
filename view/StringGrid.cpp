#include "StringGrid.h"

#include "ColorValue.h"
#include "StringGridDelegate.h"
#include "StringGridModel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Sections hold the cell and the grid line after it.
constexpr int GridLine = 1;
// How far from a grid line a press still takes hold of it.
constexpr int EdgeReach = 2;

} // namespace

StringGrid::StringGrid(QWidget* parent)
    : QTableView(parent), m_ownSheet(std::make_unique<RosterSheet>()),
      m_model(new StringGridModel(m_ownSheet.get(), SheetGrid::Players, this))
{
    m_ownSheet->setShape(SheetGrid::Players, {});
    m_model->setSheet(m_ownSheet.get(), SheetGrid::Players);
    m_observer = m_ownSheet->addObserver([this](const SheetChange& change) { sheetChanged(change); });
    setModel(m_model);
    setItemDelegate(new StringGridDelegate(this));
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(GridLine);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setDefaultColWidth(64);
    setDefaultRowHeight(20);
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setMouseTracking(true);
}

StringGrid::~StringGrid()
{
    sheet().removeObserver(m_observer);
}

void StringGrid::showSheet(RosterSheet* sheet, SheetGrid grid)
{
    this->sheet().removeObserver(m_observer);
    m_model->setSheet(sheet, grid);
    m_observer = sheet->addObserver([this](const SheetChange& change) { sheetChanged(change); });
    if (sheet != m_ownSheet.get())
        m_ownSheet.reset();
    applyColumnWidths();
}

RosterSheet& StringGrid::sheet() const
{
    return m_model->sheet();
}

SheetGrid StringGrid::sheetGrid() const
{
    return m_model->grid();
}

void StringGrid::sheetChanged(const SheetChange& change)
{
    m_model->follow(change);
    using Kind = SheetChange::Kind;
    const bool ours = change.kind == Kind::Replaced || change.grid == sheetGrid();
    if (!ours)
        return;
    switch (change.kind) {
    case Kind::ColumnWidth:
        setColumnWidth(change.col, screenColWidth(change.col) + GridLine);
        break;
    case Kind::Shape:
    case Kind::ColumnMove:
    case Kind::Replaced:
        applyColumnWidths();
        viewport()->update();
        break;
    default:
        break;
    }
}

void StringGrid::applyColumnWidths()
{
    for (int col = 0; col < colCount(); ++col) {
        const int section = screenColWidth(col) + GridLine;
        if (columnWidth(col) != section)
            setColumnWidth(col, section);
    }
}

void StringGrid::setScreenColumnWidths(std::vector<int> widths)
{
    m_screenWidths = std::move(widths);
    applyColumnWidths();
}

int StringGrid::screenColWidth(int col) const
{
    if (col >= 0 && col < int(m_screenWidths.size()))
        return m_screenWidths[std::size_t(col)];
    return colWidth(col);
}

GridShape StringGrid::shape() const
{
    return m_model->table().shape();
}

void StringGrid::setShape(const GridShape& shape)
{
    sheet().setShape(sheetGrid(), shape);
}

int StringGrid::colCount() const
{
    return shape().cols;
}

void StringGrid::setColCount(int count)
{
    GridShape wanted = shape();
    wanted.cols = count;
    setShape(wanted);
}

int StringGrid::rowCount() const
{
    return shape().rows;
}

void StringGrid::setRowCount(int count)
{
    GridShape wanted = shape();
    wanted.rows = count;
    setShape(wanted);
}

int StringGrid::fixedRows() const
{
    return shape().fixedRows;
}

void StringGrid::setFixedRows(int count)
{
    GridShape wanted = shape();
    wanted.fixedRows = count;
    setShape(wanted);
}

int StringGrid::fixedCols() const
{
    return shape().fixedCols;
}

void StringGrid::setFixedCols(int count)
{
    GridShape wanted = shape();
    wanted.fixedCols = count;
    setShape(wanted);
}

const QString& StringGrid::cell(int col, int row) const
{
    return m_model->cell(col, row);
}

void StringGrid::setCell(int col, int row, const QString& text)
{
    sheet().setCell(sheetGrid(), col, row, text);
}

void StringGrid::clearCells()
{
    const SheetTable& table = m_model->table();
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int col = table.storedCellCount(row) - 1; col >= 0; --col)
            setCell(col, row, QString());
    }
}

void StringGrid::setFixedColor(TColor color)
{
    m_fixedColor = color;
    viewport()->update();
}

void StringGrid::setColor(TColor color)
{
    m_color = color;
    // The area beyond the last cell shows the cell colour too.
    QPalette colors = palette();
    colors.setColor(QPalette::Base, toQColor(color, colors));
    setPalette(colors);
    viewport()->update();
}

int StringGrid::colWidth(int col) const
{
    return m_model->table().columnWidth(col);
}

void StringGrid::setColWidth(int col, int width)
{
    sheet().setColumnWidth(sheetGrid(), col, width);
}

int StringGrid::rowHeightAt(int row) const
{
    return rowHeight(row) - GridLine;
}

void StringGrid::setRowHeightAt(int row, int height)
{
    setRowHeight(row, std::max(height, 0) + GridLine);
}

void StringGrid::setDefaultColWidth(int width)
{
    sheet().setDefaultColumnWidth(sheetGrid(), width);
    // The header would give every present column the new size as well.
    horizontalHeader()->setDefaultSectionSize(std::max(width, 0) + GridLine);
    applyColumnWidths();
}

void StringGrid::setDefaultRowHeight(int height)
{
    std::vector<int> heights;
    for (int row = 0; row < rowCount(); ++row)
        heights.push_back(rowHeightAt(row));
    verticalHeader()->setDefaultSectionSize(height + GridLine);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeightAt(row, heights[std::size_t(row)]);
}

QRect StringGrid::cellRect(int col, int row) const
{
    const QRect section = visualRect(m_model->index(row, col));
    if (!section.isValid() || !viewport()->rect().intersects(section))
        return {};
    return section.adjusted(0, 0, -GridLine, -GridLine);
}

QPoint StringGrid::currentCell() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? QPoint(current.column(), current.row()) : QPoint(-1, -1);
}

void StringGrid::setCurrentCell(int col, int row)
{
    const QModelIndex target = m_model->index(row, col);
    if (target.isValid() && !m_model->isFixed(col, row))
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
}

void StringGrid::moveColumn(int from, int to)
{
    sheet().moveColumn(sheetGrid(), from, to);
}

bool StringGrid::cellHasFocus(const QModelIndex& index) const
{
    // The window's focus widget stays set while the window is in the background.
    return index == currentIndex() && window()->focusWidget() == this;
}

void StringGrid::drawCell(QPainter& painter, const QRect& rect, const QModelIndex& index)
{
    if (m_drawCell)
        m_drawCell(this, painter, index.column(), index.row(), rect,
                   cellHasFocus(index) ||
                       (window()->focusWidget() == this && selectionModel()->isSelected(index)));
}

void StringGrid::editorTextEdited(const QModelIndex& index, const QString& text)
{
    setCell(index.column(), index.row(), text);
    if (m_setEditText)
        m_setEditText(this, index.column(), index.row(), text);
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid() && m_selectCell)
        m_selectCell(this, current.column(), current.row());
    QTableView::currentChanged(current, previous);
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    if (!currentIndex().isValid())
        moveToFirstEditableCell();
    QTableView::focusInEvent(event);
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        const int edge = columnEdgeAt(pos.x());
        if (edge >= 0 && (fixedRows() == 0 || inFixedRows(pos.y()))) {
            m_mouseAction = MouseAction::Resize;
            m_mouseColumn = edge;
            m_resizeStartX = pos.x();
            m_resizeStartWidth = screenColWidth(edge);
            return;
        }
        if (m_columnsMovable && inFixedRows(pos.y()) && columnAt(pos.x()) >= 0) {
            m_mouseAction = MouseAction::Drag;
            m_mouseColumn = columnAt(pos.x());
            viewport()->setCursor(Qt::ClosedHandCursor);
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    switch (m_mouseAction) {
    case MouseAction::Resize: {
        const int width = std::max(m_resizeStartWidth + pos.x() - m_resizeStartX, 0);
        setColWidth(m_mouseColumn, width);
        emit columnDragged(m_mouseColumn, width);
        return;
    }
    case MouseAction::Drag:
        return;
    case MouseAction::None:
        break;
    }
    const bool overEdge = columnEdgeAt(pos.x()) >= 0 && (fixedRows() == 0 || inFixedRows(pos.y()));
    if (overEdge)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
    QTableView::mouseMoveEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const MouseAction action = std::exchange(m_mouseAction, MouseAction::None);
    if (action == MouseAction::None) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    viewport()->unsetCursor();
    if (action == MouseAction::Drag) {
        const int x = event->position().toPoint().x();
        int target = columnAt(x);
        if (target < 0)
            target = x < 0 ? 0 : colCount() - 1;
        moveColumn(m_mouseColumn, target);
    }
}

int StringGrid::columnEdgeAt(int x) const
{
    for (int col = 0; col < colCount(); ++col) {
        const int line = columnViewportPosition(col) + columnWidth(col) - GridLine;
        if (std::abs(x - line) <= EdgeReach)
            return col;
    }
    return -1;
}

bool StringGrid::inFixedRows(int y) const
{
    const int row = rowAt(y);
    return row >= 0 && row < fixedRows();
}

void StringGrid::moveToFirstEditableCell()
{
    setCurrentCell(fixedCols(), fixedRows());
}

bool StringGrid::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !m_toolTip)
        return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.isValid() ? m_toolTip(index.column(), index.row()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    }
    return true;
}
