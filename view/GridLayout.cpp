#include "GridLayout.h"

#include "ColumnFitter.h"
#include "MatchRecord.h"
#include "StringGrid.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>

#include <algorithm>

namespace {

// The space left and right of the grids, and the gaps of the layout.
constexpr int Margin = 8;
constexpr int HeadingTop = 12;
constexpr int HeadingIndent = 40;
constexpr int HeadingHeight = 36;
constexpr int GapBelowHeading = 12;
constexpr int GapAboveMatches = 15;
constexpr int GridLine = 1;
// Rows are at least as high as the layout made them.
constexpr int DesignRowHeight = 20;
constexpr int DesignFirstRowHeight = 19;
// The columns that take the width the window has to spare: the players'
// skills, the staff grid's cost texts and the match notes.
constexpr int SkillsColumn = 7;
constexpr int ExtrasCostColumn = 3;
constexpr int MatchNotesColumn = 7;

} // namespace

GridLayout::GridLayout(RosterSheet& sheet, const WindowGrids& controls, QObject* parent)
    : QObject(parent), m_sheet(sheet), m_controls(controls)
{
    m_fitters.push_back(std::make_unique<ColumnFitter>(m_controls.TeamGrid, SkillsColumn));
    m_fitters.push_back(std::make_unique<ColumnFitter>(m_controls.TeamGrid2));
    m_fitters.push_back(std::make_unique<ColumnFitter>(m_controls.TeamGrid3, ExtrasCostColumn));
    m_fitters.push_back(std::make_unique<ColumnFitter>(m_controls.GameGrid, MatchNotesColumn));
    for (StringGrid* grid : m_controls.all()) {
        // The layout gives every grid room for all its cells.
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(grid, &StringGrid::columnDragged, this, [this, grid](int col, int width) {
            fitterOf(grid->sheetGrid()).columnDragged(col, width);
            layoutGrids();
        });
    }
    m_controls.canvas->installEventFilter(this);
}

GridLayout::~GridLayout() = default;

void GridLayout::setGameGridHeight(int height)
{
    m_sheet.setMatchGridHeight(height);
    m_gameGridHeight = height;
    layoutGrids();
}

void GridLayout::matchRowsChanged(int rows)
{
    m_gameGridHeight = matchGridHeight(rows);
}

ColumnFitter& GridLayout::fitterOf(SheetGrid grid)
{
    return *m_fitters[std::size_t(grid)];
}

void GridLayout::fitRowHeights(StringGrid* grid)
{
    const int textHeight = QFontMetrics(grid->font()).height() + 2;
    const bool labelled = grid == m_controls.TeamGrid2 || grid == m_controls.TeamGrid3;
    grid->setDefaultRowHeight(std::max(DesignRowHeight, textHeight));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const int design = labelled && row == 0 ? DesignFirstRowHeight : DesignRowHeight;
        grid->setRowHeightAt(row, std::max(design, textHeight));
    }
}

void GridLayout::fitGrids()
{
    for (StringGrid* grid : m_controls.all()) {
        fitRowHeights(grid);
        fitterOf(grid->sheetGrid()).measure();
    }
    layoutGrids();
}

int GridLayout::minimumGridsWidth()
{
    const int detailsWidth = fitterOf(SheetGrid::Details).minimumWidth() + GridLine;
    // TeamGrid3 overlaps TeamGrid2 by its left grid line.
    return std::max({fitterOf(SheetGrid::Players).minimumWidth(),
                     detailsWidth - GridLine + fitterOf(SheetGrid::Extras).minimumWidth(),
                     fitterOf(SheetGrid::Matches).minimumWidth()});
}

QSize GridLayout::wholeRosterSize()
{
    // As laid out at the grids' minimum width, down as far as the client
    // area scrolls (the label under the match record included).
    const int bottom =
        std::max(m_controls.GameGrid->geometry().bottom(), m_controls.Label1->geometry().bottom());
    return {minimumGridsWidth() + 2 * Margin, bottom + 1};
}

void GridLayout::layoutGrids()
{
    QWidget* canvas = m_controls.canvas;
    QLabel* LbTName = m_controls.LbTName;
    StringGrid* TeamGrid = m_controls.TeamGrid;
    StringGrid* TeamGrid2 = m_controls.TeamGrid2;
    StringGrid* TeamGrid3 = m_controls.TeamGrid3;
    StringGrid* GameGrid = m_controls.GameGrid;
    const int detailsWidth = fitterOf(SheetGrid::Details).minimumWidth() + GridLine;
    const int minimum = minimumGridsWidth();
    const int width = std::max(minimum, canvas->width() - 2 * Margin);

    const int headingHeight = std::max(HeadingHeight, QFontMetrics(LbTName->font()).height());
    LbTName->setGeometry(HeadingIndent, HeadingTop, width + 2 * (Margin - HeadingIndent), headingHeight);
    const int playersTop = HeadingTop + headingHeight + GapBelowHeading;
    TeamGrid->setGeometry(Margin, playersTop, width, TeamGrid->verticalHeader()->length());
    // The two small grids share their top line with the players' bottom line.
    const int detailsTop = TeamGrid->geometry().bottom();
    TeamGrid2->setGeometry(Margin, detailsTop, detailsWidth, TeamGrid2->verticalHeader()->length());
    TeamGrid3->setGeometry(Margin + detailsWidth - GridLine, detailsTop, width - detailsWidth + GridLine,
                           TeamGrid3->verticalHeader()->length());
    const int matchesTop =
        std::max(TeamGrid2->geometry().bottom(), TeamGrid3->geometry().bottom()) + 1 + GapAboveMatches;
    // Rows taller than the layout's make the match grid taller by as much.
    const int grownBy =
        GameGrid->verticalHeader()->length() - GameGrid->rowCount() * (DesignRowHeight + GridLine);
    GameGrid->setGeometry(Margin, matchesTop, width, m_gameGridHeight + std::max(grownBy, 0));
    m_controls.Label1->move(m_controls.Label1->x(), GameGrid->y() + GameGrid->height());

    for (const auto& fitter : m_fitters)
        fitter->apply();
    // The client area scrolls as far as the visible controls reach, and only
    // as wide as the grids' minimum once they show.
    const QRect reach = canvas->childrenRect();
    const bool gridsShown = !TeamGrid->isHidden();
    canvas->setMinimumSize(gridsShown ? minimum + 2 * Margin : 0, reach.bottom() + 1);
}

bool GridLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.canvas && event->type() == QEvent::Resize)
        layoutGrids();
    return QObject::eventFilter(watched, event);
}
