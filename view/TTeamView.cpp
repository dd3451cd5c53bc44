#include "TTeamView.h"

#include "ActiveRules.h"
#include "CellPainter.h"
#include "ColumnFitter.h"
#include "DocumentCommands.h"
#include "EditCommands.h"
#include "ErrorReport.h"
#include "GridLayout.h"
#include "LookCommands.h"
#include "PageHistory.h"
#include "RosterDocument.h"
#include "RulesCommands.h"
#include "SaveCommands.h"
#include "SheetBuilder.h"
#include "SheetTotals.h"
#include "StartHint.h"
#include "StringGrid.h"
#include "WindowState.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <functional>

namespace {

// Room for the window's frame and caption, which the window's size leaves out.
const QSize WindowFrame(16, 48);

// Rows are at least as high as the layout made them.
constexpr int DesignFirstRowHeight = 19;

// Cells that hold counts: the players' characteristics (MA to AV) and
// statistics (cmp to spp), the team rating, re-rolls, fan factor and staff.
bool isWholeNumberCell(SheetGrid grid, int col, int row)
{
    switch (grid) {
    case SheetGrid::Players:
        return (col >= 3 && col <= 6) || (col >= 9 && col <= 14);
    case SheetGrid::Details:
        return col == 1 && row == 2;
    case SheetGrid::Extras:
        return col == 1;
    case SheetGrid::Matches:
        break;
    }
    return false;
}

QFont layoutFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(DefaultFaceName));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

TTeamView::TTeamView(QWidget* parent) : QMainWindow(parent)
{
    createContents();
    m_rules = new ActiveRules(this);
    m_document = new RosterDocument(m_sheet, this);
    m_editing = new EditCommands(m_document->history(), grids(), this);
    m_saving = new SaveCommands(m_sheet, *m_document, m_pageSource, this);
    createMenu();
    m_documentCommands =
        new DocumentCommands(*this, m_sheet, *m_document, m_pageSource, *m_saving, *m_editing,
                             {ImportBar, ImportBarText, Save1, Save2, m_paperMenu});
    createTotals();
    resize(openingSize());
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());
    FormCreate();
    // The size and place the window had when it last closed win over the
    // roster's.
    const QString settings = WindowState::pathBeside(PageHistory::locate(startDirectory()));
    m_windowState = std::make_unique<WindowState>(settings);
    m_sizedForRoster = m_windowState->restore(*this, *m_layout);
    m_rulesCommands->restore(settings);
    m_documentCommands->createRecentPagesMenu(File1, Import1, startDirectory());
    createHelpMenu();
    setAcceptDrops(true);
}

TTeamView::~TTeamView()
{
    // The grids, the rules' findings and rating and the document's undo
    // history observe the sheet, so they go before it does.
    delete takeCentralWidget();
    delete m_rulesCommands;
    delete m_document;
}

WindowGrids TTeamView::grids() const
{
    return {m_canvas, LbTName, Label1, TeamGrid, TeamGrid2, TeamGrid3, GameGrid};
}

void TTeamView::createContents()
{
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_canvas = new QWidget;
    m_canvas->setAutoFillBackground(true);
    m_canvas->setFont(layoutFont(13, false));

    // Label1 lies under the grids and lets clicks through: it only marks how
    // far the client area scrolls below the match grid.
    Label1 = new QLabel(m_canvas);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(84, 518, 621, 36);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(layoutFont(30, true));
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

    TeamGrid = createGrid(QStringLiteral("TeamGrid"), {8, 60, 765, 373}, SheetGrid::Players);
    TeamGrid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGridDrawCell, this));

    TeamGrid2 = createGrid(QStringLiteral("TeamGrid2"), {8, 432, 361, 125}, SheetGrid::Details);
    TeamGrid3 = createGrid(QStringLiteral("TeamGrid3"), {368, 432, 405, 125}, SheetGrid::Extras);
    for (StringGrid* grid : {TeamGrid2, TeamGrid3}) {
        grid->setRowHeightAt(0, DesignFirstRowHeight);
        grid->setDefaultDrawing(true);
        grid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGrid2DrawCell, this));
    }
    TeamGrid2->setSetEditTextHandler(std::bind_front(&TTeamView::TeamGrid2SetEditText, this));
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3})
        grid->setWholeNumberCells(std::bind_front(isWholeNumberCell, grid->sheetGrid()));

    GameGrid = createGrid(QStringLiteral("GameGrid"), {8, 572, 765, 42}, SheetGrid::Matches);
    GameGrid->setColumnsMovable(true);
    GameGrid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGridDrawCell, this));
    GameGrid->setSetEditTextHandler(std::bind_front(&TTeamView::GameGridSetEditText, this));

    LbTName = new QLabel(m_canvas);
    LbTName->setObjectName(QStringLiteral("LbTName"));
    LbTName->setGeometry(40, 12, 693, 36);
    LbTName->setAlignment(Qt::AlignCenter);
    LbTName->setFont(layoutFont(30, true));

    m_layout = new GridLayout(m_sheet, grids(), this);
    m_look = new LookCommands(m_sheet, grids(), *m_layout, this);
    followWholeSheet();
    m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
    m_scrollArea->setWidget(m_canvas);
    setCentralWidget(m_scrollArea);
    m_startHint = new StartHint(m_scrollArea->viewport());
    m_layout->fitGrids();
    createImportBar();
}

QSize TTeamView::openingSize() const
{
    // The whole roster at the default fonts with the menus and the status bar
    // around it, within the screen, and never smaller than the layout's.
    const QSize roster = m_layout->wholeRosterSize();
    QSize wanted(roster.width(),
                 roster.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    wanted = wanted.expandedTo(QSize(800, 600));
    if (const QScreen* display = screen())
        wanted = wanted.boundedTo(display->availableGeometry().size() - WindowFrame);
    return wanted;
}

void TTeamView::createImportBar()
{
    ImportBar = new QToolBar(QStringLiteral("Import"), this);
    ImportBar->setObjectName(QStringLiteral("ImportBar"));
    ImportBar->setMovable(false);
    ImportBar->setFloatable(false);
    ImportBarText = new QLabel(ImportBar);
    ImportBarText->setObjectName(QStringLiteral("ImportBarText"));
    ImportBar->addWidget(ImportBarText);
    addToolBar(Qt::TopToolBarArea, ImportBar);
    ImportBar->hide();
}

void TTeamView::createTotals()
{
    // The window has shown the edit by the time the follow-up is written.
    m_totals = std::make_unique<SheetTotals>(m_sheet);
    m_painter = std::make_unique<CellPainter>(m_sheet, *m_totals);
    m_painter->setFindings(&m_rulesCommands->findings());
    m_teamValue = new QLabel(this);
    m_teamValue->setObjectName(QStringLiteral("TeamValue"));
    statusBar()->addWidget(m_teamValue, 1);
    // Until a roster is shown there is no team to value.
    statusBar()->hide();
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        grid->setToolTipHandler(
            [this, grid](int col, int row) { return m_painter->toolTipAt(grid, col, row); });
    }
    m_totals->setUpdatedHandler([this] { totalsUpdated(); });
    totalsUpdated();
}

void TTeamView::totalsUpdated()
{
    m_teamValue->setText(m_totals->status());
    if (m_updateCostOfTeam)
        m_updateCostOfTeam->setEnabled(m_totals->canUpdateCostOfTeam());
    // Marks come and go with texts in other cells than the one edited; the
    // grids are painted again only when they did.
    if (m_totals->marks() == m_paintedMarks)
        return;
    m_paintedMarks = m_totals->marks();
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3})
        grid->viewport()->update();
}

void TTeamView::updateCostOfTeam()
{
    // A step of its own, also while the cell's editor is still open: otherwise
    // it would join the typing there and be undone with it.
    m_document->history().asOneStep(QStringLiteral("Update Cost of Team"),
                                    [this] { m_totals->updateCostOfTeam(); });
}

StringGrid* TTeamView::createGrid(const QString& name, QRect geometry, SheetGrid shown)
{
    auto* grid = new StringGrid(m_canvas);
    grid->setObjectName(name);
    grid->setGeometry(geometry);
    grid->setDefaultColWidth(m_sheet.table(shown).defaultColumnWidth());
    grid->showSheet(&m_sheet, shown);
    grid->setSelectCellHandler(std::bind_front(&TTeamView::TeamGridSelectCell, this));
    grid->hide();
    return grid;
}

// What the window shows.

void TTeamView::FormCreate()
{
    m_startDirectory = QDir::toNativeSeparators(QDir::currentPath());
}

QString TTeamView::startDirectory() const
{
    return m_startDirectory;
}

void TTeamView::ShowTeam(TTeam team)
{
    RosterSheet shown(m_sheet);
    putTeam(shown, team);
    m_sheet.replaceWith(shown);
}

void TTeamView::showPage(const RosterSheet& sheet)
{
    m_sheet.replaceWith(sheet);
    showGrids();
}

void TTeamView::sheetChanged(const SheetChange& change)
{
    using Kind = SheetChange::Kind;
    switch (change.kind) {
    case Kind::Cell:
        // The heading shows the team name as it is typed.
        if (change.grid == SheetGrid::Details && change.col == 1 && change.row == 0)
            LbTName->setText(change.newText);
        break;
    case Kind::Color:
        switch (change.color) {
        case SheetColor::Window:
            m_look->applyWindowColor();
            break;
        // The page writes the match record in these colours too.
        case SheetColor::Table:
        case SheetColor::Headings:
            m_look->applyGridColors();
            break;
        case SheetColor::TableFont:
            m_look->applyTableFont();
            break;
        case SheetColor::HeadingFont:
            m_look->applyHeadingFont();
            break;
        }
        break;
    case Kind::Font:
        if (change.font == SheetFont::Table)
            m_look->applyTableFont();
        else
            m_look->applyHeadingFont();
        break;
    case Kind::Shape:
        // Rows added by typing, or taken away again by undo.
        if (change.grid == SheetGrid::Matches && change.oldShape.rows != change.newShape.rows)
            m_layout->matchRowsChanged(change.newShape.rows);
        m_layout->fitRowHeights(GameGrid);
        m_layout->layoutGrids();
        break;
    case Kind::ColumnMove:
        m_layout->fitterOf(change.grid).columnMoved(change.from, change.to);
        m_layout->layoutGrids();
        break;
    case Kind::ColumnWidth:
        m_layout->layoutGrids();
        break;
    case Kind::Replaced:
        followWholeSheet();
        m_layout->fitGrids();
        break;
    default:
        break;
    }
}

void TTeamView::followWholeSheet()
{
    LbTName->setText(m_sheet.cell(SheetGrid::Details, 1, 0));
    m_look->applyWindowColor();
    m_look->applyGridColors();
    m_look->applyTableFont();
    m_look->applyHeadingFont();
    if (const std::optional<int> height = m_sheet.matchGridHeight())
        m_layout->setGameGridHeight(*height);
}

void TTeamView::TeamGridSelectCell(StringGrid* sender, int col, int row)
{
    // The new current cell shows in the focused look at once, before the grid
    // repaints the rest.
    const QRect rect = sender->cellRect(col, row);
    if (!rect.isEmpty())
        sender->viewport()->repaint(rect);
}

void TTeamView::TeamGrid2SetEditText(StringGrid*, int, int, const QString&)
{
    // The heading follows the team name through the sheet.
}

void TTeamView::GameGridSetEditText(StringGrid* sender, int, int row, const QString&)
{
    // Typing into the last row opens a new empty row below it.
    if (row + 1 != sender->rowCount())
        return;
    sender->setRowCount(row + 2);
    m_layout->setGameGridHeight(matchGridHeight(row + 2));
}

void TTeamView::applyMatchRecord(const MatchRecord& record, TextEncoding encoding)
{
    RosterSheet shown(m_sheet);
    putMatchRecord(shown, record, encoding);
    m_sheet.replaceWith(shown);
}

void TTeamView::setPageEncoding(TextEncoding encoding)
{
    m_sheet.setEncoding(encoding);
}

void TTeamView::showGrids()
{
    m_startHint->hide();
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid})
        grid->show();
    statusBar()->show();
    m_layout->layoutGrids();
    if (!m_sizedForRoster) {
        m_sizedForRoster = true;
        fitWindowToRoster();
    }
}

void TTeamView::fitWindowToRoster()
{
    if (isMaximized() || isFullScreen())
        return;
    const QSize wanted = openingSize().expandedTo(size());
    if (wanted == size())
        return;
    resize(wanted);
    // The grown window stays within the screen.
    if (const QScreen* display = screen()) {
        const QRect room = display->availableGeometry();
        const QSize outer = wanted + WindowFrame;
        move(std::clamp(x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width())),
             std::clamp(y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height())));
    }
}
