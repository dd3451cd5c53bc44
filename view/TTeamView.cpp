#include "TTeamView.h"

#include "AboutBox.h"
#include "Choosers.h"
#include "ColorValue.h"
#include "ColumnFitter.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "PageHistory.h"
#include "PageNames.h"
#include "PageSource.h"
#include "PageStore.h"
#include "PaperMenu.h"
#include "ReadBackCheck.h"
#include "RecentPagesMenu.h"
#include "RosterDocument.h"
#include "RosterPage.h"
#include "SheetBuilder.h"
#include "SheetTotals.h"
#include "ShortcutsDialog.h"
#include "StartHint.h"
#include "StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cstdint>
#include <functional>

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

// The corner that marks a cell whose amount cannot be read or disagrees with its parts.
constexpr int MarkSize = 6;
const QColor MarkColor(0xC0, 0x00, 0x00);

// The window's font with the sheet's face; size and style stay.
QFont withFace(QFont font, const QString& face)
{
    if (font.family() != face)
        font.setFamily(face);
    return font;
}

// The platform's keys for a command; where its key scheme has none (Save As
// and Quit have none in some), the keys most desktops use.
void setStandardKeys(QAction* action, QKeySequence::StandardKey key, const QKeySequence& fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.isEmpty())
        action->setShortcuts(keys);
    else if (!fallback.isEmpty())
        action->setShortcut(fallback);
}

} // namespace

TTeamView::TTeamView(QWidget* parent) : QMainWindow(parent)
{
    createContents();
    m_document = new RosterDocument(m_sheet, this);
    createMenu();
    createTotals();
    resize(800, 600);
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());
    FormCreate();
    createRecentPagesMenu();
    createHelpMenu();
    setAcceptDrops(true);
}

TTeamView::~TTeamView()
{
    // The grids and the document's undo history observe the sheet, so they
    // go before it does.
    delete takeCentralWidget();
    delete m_document;
}

void TTeamView::createContents()
{
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_canvas = new QWidget;
    m_canvas->setAutoFillBackground(true);
    m_canvas->setFont(layoutFont(13, false));
    m_canvas->installEventFilter(this);

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

    m_fitters.push_back(std::make_unique<ColumnFitter>(TeamGrid, SkillsColumn));
    m_fitters.push_back(std::make_unique<ColumnFitter>(TeamGrid2));
    m_fitters.push_back(std::make_unique<ColumnFitter>(TeamGrid3, ExtrasCostColumn));
    m_fitters.push_back(std::make_unique<ColumnFitter>(GameGrid, MatchNotesColumn));
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        // The layout gives every grid room for all its cells.
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(grid, &StringGrid::columnDragged, this, [this, grid](int col, int width) {
            fitterOf(grid->sheetGrid()).columnDragged(col, width);
            layoutGrids();
        });
    }

    followWholeSheet();
    m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
    m_scrollArea->setWidget(m_canvas);
    setCentralWidget(m_scrollArea);
    m_startHint = new StartHint(m_scrollArea->viewport());
    fitGrids();
    createImportBar();
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
    m_teamValue = new QLabel(this);
    m_teamValue->setObjectName(QStringLiteral("TeamValue"));
    statusBar()->addWidget(m_teamValue, 1);
    // Until a roster is shown there is no team to value.
    statusBar()->hide();
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3}) {
        grid->setToolTipHandler(
            [this, grid](int col, int row) { return m_totals->markAt(grid->sheetGrid(), col, row); });
    }
    m_totals->setUpdatedHandler([this] { totalsUpdated(); });
    totalsUpdated();
}

void TTeamView::totalsUpdated()
{
    m_teamValue->setText(m_totals->status());
    if (m_updateCostOfTeam)
        m_updateCostOfTeam->setEnabled(m_totals->canUpdateCostOfTeam());
    // Marks come and go with texts in other cells than the one edited.
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3})
        grid->viewport()->update();
}

void TTeamView::updateCostOfTeam()
{
    m_totals->updateCostOfTeam();
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

void TTeamView::createMenu()
{
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    New1 = File1->addAction(QStringLiteral("&New"), this, guarded([this] { newTeam(); }));
    Open1 = File1->addAction(QStringLiteral("&Open..."), this, guarded([this] { openPageSource(); }));
    Import1 = File1->addAction(QStringLiteral("&Import..."), this, guarded([this] { importPage(); }));
    Save2 = File1->addAction(QStringLiteral("&Save"), this, guarded([this] { save(); }));
    Save1 = File1->addAction(QStringLiteral("Save &As..."), this, guarded([this] { saveAs(); }));
    File1->addSeparator();
    exit1 = File1->addAction(QStringLiteral("E&xit"), this, guarded([this] { exitProgram(); }));
    setStandardKeys(New1, QKeySequence::New, {});
    setStandardKeys(Open1, QKeySequence::Open, {});
    setStandardKeys(Save2, QKeySequence::Save, {});
    setStandardKeys(Save1, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    setStandardKeys(exit1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    // Print and export take what the window shows, like Save, and are
    // offered once saving is.
    m_paperMenu = new PaperMenu(File1, exit1, this, [this]() -> const RosterSheet& { return m_sheet; });
    Save2->setEnabled(false);
    Save1->setEnabled(false);

    createEditMenu();

    Colors1 = menuBar()->addMenu(QStringLiteral("&Colors"));
    Backgound1 =
        Colors1->addAction(QStringLiteral("&Background"), this, guarded([this] { chooseBackgroundColor(); }));
    Table1 = Colors1->addAction(QStringLiteral("&Table"), this, guarded([this] { chooseTableColor(); }));
    TableHeadings1 = Colors1->addAction(QStringLiteral("Table &Headings"), this,
                                        guarded([this] { chooseHeadingsColor(); }));

    Fonts2 = menuBar()->addMenu(QStringLiteral("Fo&nts"));
    Main1 = Fonts2->addAction(QStringLiteral("&Heading"), this, guarded([this] { chooseHeadingFont(); }));
    Table2 = Fonts2->addAction(QStringLiteral("&Table"), this, guarded([this] { chooseTableFont(); }));

    QMenu* team = menuBar()->addMenu(QStringLiteral("&Team"));
    team->setObjectName(QStringLiteral("TeamMenu"));
    m_updateCostOfTeam = team->addAction(QStringLiteral("&Update Cost of Team"), this,
                                         guarded([this] { updateCostOfTeam(); }));
    m_updateCostOfTeam->setObjectName(QStringLiteral("UpdateCostOfTeam"));
    m_updateCostOfTeam->setEnabled(false);

    const std::pair<QObject*, const char*> names[] = {
        {File1, "File1"},     {New1, "New1"},
        {Open1, "Open1"},     {Save2, "Save2"},
        {Save1, "Save1"},     {exit1, "exit1"},
        {Colors1, "Colors1"}, {Backgound1, "Backgound1"},
        {Table1, "Table1"},   {TableHeadings1, "TableHeadings1"},
        {Fonts2, "Fonts2"},   {Main1, "Main1"},
        {Table2, "Table2"},   {EditMenu, "EditMenu"},
        {Undo1, "Undo1"},     {Redo1, "Redo1"}};
    for (const auto& [item, name] : names)
        item->setObjectName(QString::fromLatin1(name));
}

void TTeamView::createEditMenu()
{
    QUndoStack& steps = m_document->history().stack();
    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    Undo1 = EditMenu->addAction(QStringLiteral("&Undo"), this, guarded([this] { undo(); }));
    Redo1 = EditMenu->addAction(QStringLiteral("&Redo"), this, guarded([this] { redo(); }));
    setStandardKeys(Undo1, QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    setStandardKeys(Redo1, QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    const auto follow = [](QAction* action, const QString& command, const QString& step) {
        action->setText(step.isEmpty() ? command : command + QLatin1Char(' ') + step);
    };
    connect(&steps, &QUndoStack::undoTextChanged, Undo1,
            [this, follow](const QString& step) { follow(Undo1, QStringLiteral("&Undo"), step); });
    connect(&steps, &QUndoStack::redoTextChanged, Redo1,
            [this, follow](const QString& step) { follow(Redo1, QStringLiteral("&Redo"), step); });
    connect(&steps, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
    Undo1->setEnabled(false);
    Redo1->setEnabled(false);
    // Leaving a cell ends its spell of typing: the next edit is a step of its own.
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        connect(grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                [this] { m_document->history().endTyping(); });
    }
}

void TTeamView::createRecentPagesMenu()
{
    auto* menu = new RecentPagesMenu(
        PageHistory::pathIn(startDirectory()), [this](const QString& page) { openPage(page); }, File1);
    File1->insertMenu(Import1, menu);
}

void TTeamView::createHelpMenu()
{
    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Shortcuts1 =
        Help1->addAction(QStringLiteral("&Keyboard Shortcuts"), this, guarded([this] { showShortcuts(); }));
    Shortcuts1->setObjectName(QStringLiteral("Shortcuts1"));
    setStandardKeys(Shortcuts1, QKeySequence::HelpContents, QKeySequence(Qt::Key_F1));
    About1 = Help1->addAction(QStringLiteral("&About Team Editor"), this, [this] { AboutBox::show(this); });
    About1->setObjectName(QStringLiteral("About1"));
}

void TTeamView::showShortcuts()
{
    QList<QAction*> commands;
    for (QAction* menu : menuBar()->actions()) {
        if (menu->menu())
            commands += menu->menu()->actions();
    }
    ShortcutsDialog dialog(commands, this);
    dialog.exec();
}

// The design's command names, each forwarding to the command it names.

void TTeamView::New1Click()
{
    newTeam();
}

void TTeamView::Open1Click()
{
    openPageSource();
}

void TTeamView::exit1Click()
{
    exitProgram();
}

void TTeamView::Save1Click()
{
    saveAs();
}

void TTeamView::Save2Click()
{
    save();
}

void TTeamView::Backgound1Click()
{
    chooseBackgroundColor();
}

void TTeamView::Table1Click()
{
    chooseTableColor();
}

void TTeamView::TableHeadings1Click()
{
    chooseHeadingsColor();
}

void TTeamView::Main1Click()
{
    chooseHeadingFont();
}

void TTeamView::Table2Click()
{
    chooseTableFont();
}

void TTeamView::FormCreate()
{
    m_startDirectory = QDir::toNativeSeparators(QDir::currentPath());
}

QString TTeamView::startDirectory() const
{
    return m_startDirectory;
}

QFont TTeamView::tableFont() const
{
    return m_canvas->font();
}

QFont TTeamView::headingFont() const
{
    return LbTName->font();
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
            applyWindowColor();
            break;
        // The page writes the match record in these colours too.
        case SheetColor::Table:
        case SheetColor::Headings:
            applyGridColors({TeamGrid, TeamGrid2, TeamGrid3, GameGrid});
            break;
        case SheetColor::TableFont:
            applyTableFont();
            break;
        case SheetColor::HeadingFont:
            applyHeadingFont();
            break;
        }
        break;
    case Kind::Font:
        if (change.font == SheetFont::Table)
            applyTableFont();
        else
            applyHeadingFont();
        break;
    case Kind::Shape:
        // Rows added by typing, or taken away again by undo.
        if (change.grid == SheetGrid::Matches && change.oldShape.rows != change.newShape.rows)
            m_gameGridHeight = matchGridHeight(change.newShape.rows);
        fitRowHeights(GameGrid);
        layoutGrids();
        break;
    case Kind::ColumnMove:
        fitterOf(change.grid).columnMoved(change.from, change.to);
        layoutGrids();
        break;
    case Kind::ColumnWidth:
        layoutGrids();
        break;
    case Kind::Replaced:
        followWholeSheet();
        fitGrids();
        break;
    default:
        break;
    }
}

void TTeamView::followWholeSheet()
{
    LbTName->setText(m_sheet.cell(SheetGrid::Details, 1, 0));
    applyWindowColor();
    applyGridColors({TeamGrid, TeamGrid2, TeamGrid3, GameGrid});
    applyTableFont();
    applyHeadingFont();
    if (const std::optional<int> height = m_sheet.matchGridHeight())
        setGameGridHeight(*height);
}

void TTeamView::applyGridColors(std::initializer_list<StringGrid*> grids)
{
    for (StringGrid* grid : grids) {
        grid->setColor(m_sheet.color(SheetColor::Table));
        grid->setFixedColor(m_sheet.color(SheetColor::Headings));
    }
}

void TTeamView::paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                          CellLook look) const
{
    const TColor fill = look == CellLook::Heading   ? grid->fixedColor()
                        : look == CellLook::Focused ? tableFontColor()
                                                    : grid->color();
    const TColor ink = look == CellLook::Focused ? grid->color() : tableFontColor();
    canvas.fillRect(rect, toQColor(fill, grid->palette()));
    canvas.setFont(grid->font());
    canvas.setPen(toQColor(ink, grid->palette()));
    canvas.setClipRect(rect);
    canvas.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, grid->cell(col, row));
    if (look != CellLook::Heading && m_totals && m_totals->hasMark(grid->sheetGrid(), col, row))
        paintMark(grid, canvas, rect);
}

void TTeamView::paintMark(StringGrid* grid, QPainter& canvas, const QRect& rect) const
{
    // A small corner, as spreadsheets mark a cell with a note: the cell keeps
    // its colours, and the page written never shows it. It goes in the corner
    // that can be seen: a grid may cut off its last column's right edge.
    const QRect visible = rect & grid->viewport()->rect();
    const int size = std::min({MarkSize, visible.width(), visible.height()});
    if (size <= 0)
        return;
    const QPoint corner = visible.topRight() + QPoint(1, 0);
    const QPolygon triangle({corner - QPoint(size, 0), corner, corner + QPoint(0, size)});
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(MarkColor);
    canvas.drawPolygon(triangle);
}

void TTeamView::TeamGridDrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                                 bool focused)
{
    const CellLook look = row == 0 ? CellLook::Heading : focused ? CellLook::Focused : CellLook::Body;
    paintCell(sender, canvas, col, row, rect, look);
}

void TTeamView::TeamGrid2DrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                                  bool focused)
{
    const CellLook look = col == 0 ? CellLook::Heading : focused ? CellLook::Focused : CellLook::Body;
    paintCell(sender, canvas, col, row, rect, look);
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
    setGameGridHeight(matchGridHeight(row + 2));
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

void TTeamView::showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    // A report of an import is about the page shown before.
    ImportBar->hide();
    // However the page came (the dialog, the command line, a drop), a shown
    // team can be saved.
    enableSaving();
    RosterSheet shown(m_sheet);
    putReadPage(shown, team, record, encoding);
    showPage(shown);
    m_document->pageShown(pageSource());
}

void TTeamView::showGrids()
{
    m_startHint->hide();
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid})
        grid->show();
    statusBar()->show();
    layoutGrids();
}

void TTeamView::setPageSourceDialog(PageSource* dialog)
{
    m_pageSourceDialog = dialog;
}

void TTeamView::newTeam()
{
    if (!mayDiscardChanges())
        return;
    ImportBar->hide();
    enableSaving();
    resetToNewTeam(CurrentTeam);
    RosterSheet shown(m_sheet);
    putNewTeam(shown);
    showPage(shown);
    m_document->newTeamShown();
}

void TTeamView::openPageSource()
{
    enableSaving();
    if (m_pageSourceDialog)
        m_pageSourceDialog->bringUp();
}

void TTeamView::importPage()
{
    QString path;
    if (!choosers().chooseOpenFile(this, path))
        return;
    showImport(importRosterFile(QFile::encodeName(path).toStdString()), path);
}

// The imported team is shown as a read page is, and the bar tells what the
// import took and left. Save then asks for a file: writing back over the
// other tool's page would lose what the import left out.
void TTeamView::showImport(const ImportResult& result, const QString& from)
{
    if (!mayDiscardChanges())
        return;
    showReadPage(result.team, result.matchRecord, TextEncoding::Utf8);
    enableSaving();
    setPageSource(QStringLiteral("<none>"));
    m_document->importShown(from);
    ImportBarText->setText(QString::fromStdString(result.summary()));
    ImportBar->show();
}

void TTeamView::exitProgram()
{
    close();
}

void TTeamView::closeEvent(QCloseEvent* event)
{
    // A fetch in progress ends first, so that the program can end as soon as
    // the question is answered. The window stays until the answer lets it
    // go; a failing save is reported and keeps it.
    event->ignore();
    if (m_pageSourceDialog)
        m_pageSourceDialog->cancelFetch();
    runCommand([this, event] {
        if (mayDiscardChanges())
            event->accept();
    });
}

bool TTeamView::isModified() const
{
    return m_document->isModified();
}

bool TTeamView::mayDiscardChanges()
{
    finishCellEditing();
    return m_document->mayDiscardChanges([this] { return save(); });
}

bool TTeamView::mayReplaceWithReadPage()
{
    // When the roster stays, the path box names the page that was not shown;
    // Save must go on writing where the shown roster belongs.
    const auto keepSource = [this, shownSource = m_document->source()] {
        if (m_document->origin() == RosterDocument::Origin::Page)
            setPageSource(shownSource);
    };
    try {
        if (mayDiscardChanges())
            return true;
    } catch (...) {
        keepSource();
        throw;
    }
    keepSource();
    return false;
}

void TTeamView::undo()
{
    finishCellEditing();
    m_document->history().stack().undo();
}

void TTeamView::redo()
{
    finishCellEditing();
    m_document->history().stack().redo();
}

void TTeamView::finishCellEditing()
{
    // An editor left open over a cell would write its text back after the
    // cell changed under it; taking its focus commits and closes it.
    QWidget* focused = QApplication::focusWidget();
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        if (focused && grid->isAncestorOf(focused) && focused != grid && focused != grid->viewport()) {
            grid->setFocus();
            break;
        }
    }
    m_document->history().endTyping();
}

void TTeamView::openPage(const QString& page)
{
    if (m_pageSourceDialog)
        m_pageSourceDialog->readPage(PageNames::fromOutside(page));
}

void TTeamView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && !PageNames::fromDrop(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TTeamView::dropEvent(QDropEvent* event)
{
    const QString page = event->mimeData() ? PageNames::fromDrop(*event->mimeData()) : QString();
    if (page.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the program the page came from is not
    // kept waiting through a question or a fetch.
    QMetaObject::invokeMethod(
        this, [this, page] { runCommand([this, page] { openPage(page); }); }, Qt::QueuedConnection);
}

void TTeamView::WriteHTML()
{
    buildPage();
}

void TTeamView::buildPage()
{
    Memo1 = buildRosterPage(m_sheet);
}

bool TTeamView::saveAs()
{
    buildPage();
    return confirmReadBack() && saveThroughChooser();
}

bool TTeamView::save()
{
    buildPage();
    if (!confirmReadBack())
        return false;
    // Only the roster's own file is written without asking: the path box may
    // name a page that was refused, fetched or never read.
    const QString file = m_document->ownFile();
    if (file.isEmpty())
        return saveThroughChooser();
    storePage(Memo1, file);
    m_document->saved();
    return true;
}

bool TTeamView::confirmReadBack()
{
    // Before anything is asked or replaced: a page that would not give back
    // what the window shows is saved only when the user says so.
    const std::optional<ReadBackDifference> difference = readBackDifference(m_sheet, Memo1);
    return !difference ||
           choosers().confirmSaveAnyway(this, readBackWarning(*difference) + QStringLiteral(" Save anyway?"));
}

bool TTeamView::saveThroughChooser()
{
    QString fileName = m_lastSaveName;
    if (!choosers().chooseSaveFile(this, fileName))
        return false;
    m_lastSaveName = fileName;
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    setPageSource(fileName);
    storePage(Memo1, fileName);
    m_document->saved(fileName);
    return true;
}

QString TTeamView::pageSource() const
{
    return m_pageSourceDialog ? m_pageSourceDialog->pageSource() : QString();
}

void TTeamView::setPageSource(const QString& text)
{
    if (m_pageSourceDialog)
        m_pageSourceDialog->setPageSource(text);
}

void TTeamView::enableSaving()
{
    Save1->setEnabled(true);
    Save2->setEnabled(true);
    m_paperMenu->setEnabled(true);
}

void TTeamView::chooseBackgroundColor()
{
    TColor color = windowColor();
    choosers().chooseColor(this, tr("Background Colour"), color);
    m_sheet.setColor(SheetColor::Window, color);
}

void TTeamView::chooseTableColor()
{
    TColor color = m_sheet.color(SheetColor::Table);
    choosers().chooseColor(this, tr("Table Colour"), color);
    m_sheet.setColor(SheetColor::Table, color);
}

void TTeamView::chooseHeadingsColor()
{
    TColor color = m_sheet.color(SheetColor::Headings);
    choosers().chooseColor(this, tr("Table Headings Colour"), color);
    m_sheet.setColor(SheetColor::Headings, color);
}

void TTeamView::chooseHeadingFont()
{
    FontChoice choice{headingFont(), headingFontColor()};
    choosers().chooseFont(this, tr("Heading Font"), choice);
    // Size and style are the window's; face and colour go through the sheet.
    LbTName->setFont(choice.font);
    m_sheet.setFont(SheetFont::Heading, choice.font.family(), choice.color);
    layoutGrids();
}

void TTeamView::chooseTableFont()
{
    FontChoice choice{tableFont(), tableFontColor()};
    choosers().chooseFont(this, tr("Table Font"), choice);
    m_canvas->setFont(choice.font);
    m_sheet.setFont(SheetFont::Table, choice.font.family(), choice.color);
    applyTableFont();
}

void TTeamView::applyWindowColor()
{
    QPalette colors = m_canvas->palette();
    colors.setColor(QPalette::Window, toQColor(windowColor(), palette()));
    m_canvas->setPalette(colors);
}

void TTeamView::applyTableFont()
{
    m_canvas->setFont(withFace(m_canvas->font(), m_sheet.fontName(SheetFont::Table)));
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid})
        grid->viewport()->update();
    fitGrids();
}

void TTeamView::applyHeadingFont()
{
    LbTName->setFont(withFace(LbTName->font(), m_sheet.fontName(SheetFont::Heading)));
    QPalette colors = LbTName->palette();
    colors.setColor(QPalette::WindowText, toQColor(headingFontColor(), palette()));
    LbTName->setPalette(colors);
}

void TTeamView::setGameGridHeight(int height)
{
    m_sheet.setMatchGridHeight(height);
    m_gameGridHeight = height;
    layoutGrids();
}

ColumnFitter& TTeamView::fitterOf(SheetGrid grid)
{
    return *m_fitters[std::size_t(grid)];
}

void TTeamView::fitRowHeights(StringGrid* grid)
{
    const int textHeight = QFontMetrics(grid->font()).height() + 2;
    const bool labelled = grid == TeamGrid2 || grid == TeamGrid3;
    grid->setDefaultRowHeight(std::max(DesignRowHeight, textHeight));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const int design = labelled && row == 0 ? DesignFirstRowHeight : DesignRowHeight;
        grid->setRowHeightAt(row, std::max(design, textHeight));
    }
}

void TTeamView::fitGrids()
{
    // Not during construction: the fitters come after the grids.
    if (m_fitters.size() != AllSheetGrids.size())
        return;
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        fitRowHeights(grid);
        fitterOf(grid->sheetGrid()).measure();
    }
    layoutGrids();
}

void TTeamView::layoutGrids()
{
    if (m_fitters.size() != AllSheetGrids.size())
        return;
    const int detailsWidth = fitterOf(SheetGrid::Details).minimumWidth() + GridLine;
    // TeamGrid3 overlaps TeamGrid2 by its left grid line.
    const int minimum = std::max({fitterOf(SheetGrid::Players).minimumWidth(),
                                  detailsWidth - GridLine + fitterOf(SheetGrid::Extras).minimumWidth(),
                                  fitterOf(SheetGrid::Matches).minimumWidth()});
    const int width = std::max(minimum, m_canvas->width() - 2 * Margin);

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
    Label1->move(Label1->x(), GameGrid->y() + GameGrid->height());

    for (const auto& fitter : m_fitters)
        fitter->apply();
    // The client area scrolls as far as the visible controls reach, and only
    // as wide as the grids' minimum once they show.
    const QRect reach = m_canvas->childrenRect();
    const bool gridsShown = !TeamGrid->isHidden();
    m_canvas->setMinimumSize(gridsShown ? minimum + 2 * Margin : 0, reach.bottom() + 1);
}

bool TTeamView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvas && event->type() == QEvent::Resize)
        layoutGrids();
    return QMainWindow::eventFilter(watched, event);
}
