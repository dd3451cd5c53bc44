#include "TTeamView.h"

#include "AboutBox.h"
#include "Choosers.h"
#include "ColorValue.h"
#include "Errors.h"
#include "PageHistory.h"
#include "PageNames.h"
#include "PageSource.h"
#include "PageStore.h"
#include "RecentPagesMenu.h"
#include "RosterDocument.h"
#include "RosterPage.h"
#include "SheetBuilder.h"
#include "ShortcutsDialog.h"
#include "StartHint.h"
#include "StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

QFont layoutFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(DefaultFaceName));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

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
    // The grids view the sheet, so they go first.
    delete takeCentralWidget();
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
    Label1->setGeometry(84, 518, 621, 36);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(layoutFont(30, true));
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

    TeamGrid = createGrid(QStringLiteral("TeamGrid"), {8, 60, 765, 373}, SheetGrid::Players);
    TeamGrid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGridDrawCell, this));

    TeamGrid2 = createGrid(QStringLiteral("TeamGrid2"), {8, 432, 361, 125}, SheetGrid::Details);
    TeamGrid3 = createGrid(QStringLiteral("TeamGrid3"), {368, 432, 405, 125}, SheetGrid::Extras);
    for (StringGrid* grid : {TeamGrid2, TeamGrid3}) {
        grid->setRowHeightAt(0, 19);
        grid->setDefaultDrawing(true);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGrid2DrawCell, this));
    }
    TeamGrid2->setSetEditTextHandler(std::bind_front(&TTeamView::TeamGrid2SetEditText, this));

    Edit1 = new QLineEdit(QStringLiteral("Edit1"), m_canvas);
    Edit1->setGeometry(40, 4, 121, 24);
    Edit1->hide();

    GameGrid = createGrid(QStringLiteral("GameGrid"), {8, 572, 765, 42}, SheetGrid::Matches);
    GameGrid->setColumnsMovable(true);
    GameGrid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGridDrawCell, this));
    GameGrid->setSetEditTextHandler(std::bind_front(&TTeamView::GameGridSetEditText, this));

    LbTName = new QLabel(m_canvas);
    LbTName->setGeometry(40, 12, 693, 36);
    LbTName->setAlignment(Qt::AlignCenter);
    LbTName->setFont(layoutFont(30, true));

    followWholeSheet();
    m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
    m_scrollArea->setWidget(m_canvas);
    setCentralWidget(m_scrollArea);
    m_startHint = new StartHint(m_scrollArea->viewport());
    updateScrollRange();
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
    ImportButton = new QPushButton(QStringLiteral("Import"), ImportBar);
    ImportButton->setObjectName(QStringLiteral("ImportButton"));
    m_importButtonAction = ImportBar->addWidget(ImportButton);
    connect(ImportButton, &QPushButton::clicked, this, &TTeamView::ImportButtonClick);
    addToolBar(Qt::TopToolBarArea, ImportBar);
    ImportBar->hide();
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
    New1 = File1->addAction(QStringLiteral("&New"), this, &TTeamView::New1Click);
    Open1 = File1->addAction(QStringLiteral("&Open..."), this, &TTeamView::Open1Click);
    Import1 = File1->addAction(QStringLiteral("&Import..."), this, &TTeamView::Import1Click);
    Save2 = File1->addAction(QStringLiteral("&Save"), this, &TTeamView::Save2Click);
    Save1 = File1->addAction(QStringLiteral("Save &As..."), this, &TTeamView::Save1Click);
    File1->addSeparator();
    exit1 = File1->addAction(QStringLiteral("E&xit"), this, &TTeamView::exit1Click);
    setStandardKeys(New1, QKeySequence::New, {});
    setStandardKeys(Open1, QKeySequence::Open, {});
    setStandardKeys(Save2, QKeySequence::Save, {});
    setStandardKeys(Save1, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    setStandardKeys(exit1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    Save2->setEnabled(false);
    Save1->setEnabled(false);

    createEditMenu();

    Colors1 = menuBar()->addMenu(QStringLiteral("&Colors"));
    Backgound1 = Colors1->addAction(QStringLiteral("&Background"), this, &TTeamView::Backgound1Click);
    Table1 = Colors1->addAction(QStringLiteral("&Table"), this, &TTeamView::Table1Click);
    TableHeadings1 =
        Colors1->addAction(QStringLiteral("Table &Headings"), this, &TTeamView::TableHeadings1Click);

    Fonts2 = menuBar()->addMenu(QStringLiteral("Fo&nts"));
    Main1 = Fonts2->addAction(QStringLiteral("&Heading"), this, &TTeamView::Main1Click);
    Table2 = Fonts2->addAction(QStringLiteral("&Table"), this, &TTeamView::Table2Click);
}

void TTeamView::createEditMenu()
{
    QUndoStack& steps = m_document->history().stack();
    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    Undo1 = EditMenu->addAction(QStringLiteral("&Undo"), this, &TTeamView::undo);
    Redo1 = EditMenu->addAction(QStringLiteral("&Redo"), this, &TTeamView::redo);
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

bool TTeamView::isModified() const
{
    return m_document->isModified();
}

bool TTeamView::mayDiscardChanges()
{
    finishCellEditing();
    return m_document->mayDiscardChanges([this] { return saveBeforeDiscarding(); });
}

bool TTeamView::saveBeforeDiscarding()
{
    // Saved where the roster came from, not to the path box: a page being
    // opened has put its own name there already. A new team or a page from
    // the web has no file of its own yet.
    const QString source = m_document->source();
    if (m_document->origin() != RosterDocument::Origin::Page || PageNames::isWebAddress(source) ||
        source.startsWith(QLatin1String("HTTP"), Qt::CaseInsensitive))
        return saveAs();
    WriteHTML();
    storePage(Memo1, source);
    m_document->saved();
    return true;
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

void TTeamView::closeEvent(QCloseEvent* event)
{
    // Ignored until the answer is known: a failing save ends this handler
    // with an exception, and the window must then stay.
    event->ignore();
    if (m_pageSourceDialog)
        m_pageSourceDialog->abandonFetch();
    if (mayDiscardChanges())
        event->accept();
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
    Shortcuts1 = Help1->addAction(QStringLiteral("&Keyboard Shortcuts"), this, &TTeamView::showShortcuts);
    setStandardKeys(Shortcuts1, QKeySequence::HelpContents, QKeySequence(Qt::Key_F1));
    About1 = Help1->addAction(QStringLiteral("&About Team Editor"), this, [this] { AboutBox::show(this); });
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
        this, [this, page] { openPage(page); }, Qt::QueuedConnection);
}

void TTeamView::FormCreate()
{
    Edit1->setText(QDir::toNativeSeparators(QDir::currentPath()));
}

QString TTeamView::startDirectory() const
{
    return Edit1->text();
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
        // The match grid keeps the colours the last page shown gave it.
        case SheetColor::Table:
        case SheetColor::Headings:
            applyGridColors({TeamGrid, TeamGrid2, TeamGrid3});
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
    case Kind::Replaced:
        followWholeSheet();
        break;
    case Kind::Shape:
        // Rows added by typing, or taken away again by undo.
        if (change.grid == SheetGrid::Matches && change.oldShape.rows != change.newShape.rows)
            setGameGridHeight(matchGridHeight(change.newShape.rows));
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
    // An offer or report of an import is about the page shown before.
    m_offeredImport.reset();
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
    updateScrollRange();
}

void TTeamView::setPageSourceDialog(PageSource* dialog)
{
    m_pageSourceDialog = dialog;
}

void TTeamView::New1Click()
{
    if (!mayDiscardChanges())
        return;
    m_offeredImport.reset();
    ImportBar->hide();
    enableSaving();
    resetToNewTeam(CurrentTeam);
    RosterSheet shown(m_sheet);
    putNewTeam(shown);
    showPage(shown);
    m_document->newTeamShown();
}

void TTeamView::Open1Click()
{
    enableSaving();
    if (m_pageSourceDialog)
        m_pageSourceDialog->bringUp();
}

void TTeamView::Import1Click()
{
    QString path;
    if (!choosers().chooseOpenFile(this, path))
        return;
    showImport(importRosterFile(QFile::encodeName(path).toStdString()), path);
}

void TTeamView::ImportButtonClick()
{
    if (!m_offeredImport)
        return;
    const ImportResult imported = std::move(*m_offeredImport);
    showImport(imported, m_document->source());
}

void TTeamView::offerImport(const QString& pagePath, const TTeam& read, TextEncoding encoding)
{
    m_offeredImport.reset();
    ImportBar->hide();
    try {
        ImportResult imported = importRosterFile(QFile::encodeName(pagePath).toStdString());
        if (!importFindsMore(imported, read, encoding))
            return;
        m_offeredImport = std::move(imported);
    } catch (const TeamEditorError&) {
        // A page the importer cannot make sense of is no better imported:
        // the page as read stays, with nothing offered.
        return;
    }
    ImportBarText->setText(QStringLiteral("This page was made by another tool. Import it instead?"));
    m_importButtonAction->setVisible(true);
    ImportBar->show();
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
    m_importButtonAction->setVisible(false);
    ImportBar->show();
}

void TTeamView::exit1Click()
{
    close();
}

void TTeamView::WriteHTML()
{
    Memo1 = buildRosterPage(m_sheet);
}

void TTeamView::Save1Click()
{
    saveAs();
}

void TTeamView::Save2Click()
{
    save();
}

bool TTeamView::saveAs()
{
    WriteHTML();
    return saveThroughChooser();
}

bool TTeamView::save()
{
    WriteHTML();
    // A web address or the no-page marker names no file to write back to.
    const QString source = pageSource();
    if (source.startsWith(QLatin1String("HTTP"), Qt::CaseInsensitive) ||
        source.startsWith(QLatin1String("<NONE>"), Qt::CaseInsensitive))
        return saveThroughChooser();
    storePage(Memo1, source);
    m_document->saved();
    return true;
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
}

void TTeamView::Backgound1Click()
{
    TColor color = windowColor();
    choosers().chooseColor(this, color);
    m_sheet.setColor(SheetColor::Window, color);
}

void TTeamView::Table1Click()
{
    TColor color = m_sheet.color(SheetColor::Table);
    choosers().chooseColor(this, color);
    m_sheet.setColor(SheetColor::Table, color);
}

void TTeamView::TableHeadings1Click()
{
    TColor color = m_sheet.color(SheetColor::Headings);
    choosers().chooseColor(this, color);
    m_sheet.setColor(SheetColor::Headings, color);
}

void TTeamView::Main1Click()
{
    FontChoice choice{headingFont(), headingFontColor()};
    choosers().chooseFont(this, choice);
    // Size and style are the window's; face and colour go through the sheet.
    LbTName->setFont(choice.font);
    m_sheet.setFont(SheetFont::Heading, choice.font.family(), choice.color);
}

void TTeamView::Table2Click()
{
    FontChoice choice{tableFont(), tableFontColor()};
    choosers().chooseFont(this, choice);
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
    GameGrid->resize(GameGrid->width(), height);
    Label1->move(Label1->x(), GameGrid->y() + height);
    updateScrollRange();
}

void TTeamView::updateScrollRange()
{
    // The client area scrolls as far as the visible controls reach.
    const QRect reach = m_canvas->childrenRect();
    m_canvas->setMinimumSize(reach.right() + 1, reach.bottom() + 1);
}
