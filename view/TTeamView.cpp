#include "TTeamView.h"

#include "Choosers.h"
#include "ColorValue.h"
#include "PageSource.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "StringGrid.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

constexpr TColor NewTableColor = 0xD0FFFF;
constexpr TColor NewHeadingsColor = 0xA0D0D0;
constexpr int MaxFaceNameLength = 31;

QFont layoutFont(int pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(DefaultFaceName));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The cost a count stands for when the page gave no cost text: ten thousand a head.
QString countedCost(std::int32_t count)
{
    if (count <= 0)
        return {};
    return QString::number(std::int64_t(count) * 10) + QLatin1Char('k');
}

QString flagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

GridSnapshot snapshotOf(const StringGrid& grid)
{
    GridSnapshot snapshot;
    snapshot.colCount = grid.colCount();
    snapshot.rowCount = grid.rowCount();
    snapshot.cells.resize(std::size_t(snapshot.rowCount));
    // Trailing empty cells are left out, so a huge, mostly empty match record
    // costs memory only for what it shows.
    for (int row = 0; row < snapshot.rowCount; ++row) {
        int length = snapshot.colCount;
        while (length > 0 && grid.cell(length - 1, row).isEmpty())
            --length;
        for (int col = 0; col < length; ++col)
            snapshot.cells[std::size_t(row)].push_back(grid.cell(col, row));
    }
    return snapshot;
}

} // namespace

TTeamView::TTeamView(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Team Viewer"));
    createContents();
    createMenu();
    resize(800, 600);
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());
    FormCreate();
}

TTeamView::~TTeamView() = default;

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

    TeamGrid = createGrid(QStringLiteral("TeamGrid"), {8, 60, 765, 373}, 16, 17,
                          {18, 101, 75, 22, 21, 21, 20, 241, 29, 30, 29, 28, 28, 29, 29, 46});
    TeamGrid->setFixedRows(1);
    TeamGrid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGridDrawCell, this));

    TeamGrid2 = createGrid(QStringLiteral("TeamGrid2"), {8, 432, 361, 125}, 2, 6, {147, 210});
    TeamGrid3 = createGrid(QStringLiteral("TeamGrid3"), {368, 432, 405, 125}, 4, 6, {198, 49, 98, 56});
    for (StringGrid* grid : {TeamGrid2, TeamGrid3}) {
        grid->setFixedCols(1);
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

    GameGrid =
        createGrid(QStringLiteral("GameGrid"), {8, 572, 765, 42}, 8, 2, {60, 164, 73, 64, 58, 49, 48, 241});
    GameGrid->setFixedRows(1);
    GameGrid->setDefaultColWidth(80);
    GameGrid->setColumnsMovable(true);
    GameGrid->setDrawCellHandler(std::bind_front(&TTeamView::TeamGridDrawCell, this));
    GameGrid->setSetEditTextHandler(std::bind_front(&TTeamView::GameGridSetEditText, this));

    LbTName = new QLabel(m_canvas);
    LbTName->setGeometry(40, 12, 693, 36);
    LbTName->setAlignment(Qt::AlignCenter);
    setHeadingFont({layoutFont(30, true), 0});

    m_tableFontColor = WindowTextSystemColor;
    setWindowColor(0xFFFFFF);
    m_scrollArea->setWidget(m_canvas);
    setCentralWidget(m_scrollArea);
    updateScrollRange();
}

StringGrid* TTeamView::createGrid(const QString& name, QRect geometry, int cols, int rows,
                                  const std::vector<int>& colWidths)
{
    auto* grid = new StringGrid(m_canvas);
    grid->setObjectName(name);
    grid->setGeometry(geometry);
    grid->setColCount(cols);
    grid->setRowCount(rows);
    for (int col = 0; col < cols; ++col)
        grid->setColWidth(col, colWidths[std::size_t(col)]);
    grid->setColor(NewTableColor);
    grid->setFixedColor(NewHeadingsColor);
    grid->setSelectCellHandler(std::bind_front(&TTeamView::TeamGridSelectCell, this));
    grid->hide();
    return grid;
}

void TTeamView::createMenu()
{
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    New1 = File1->addAction(QStringLiteral("&New"), this, &TTeamView::New1Click);
    Open1 = File1->addAction(QStringLiteral("&Open"), this, &TTeamView::Open1Click);
    Save2 = File1->addAction(QStringLiteral("&Save"), this, &TTeamView::Save2Click);
    Save1 = File1->addAction(QStringLiteral("Save &As..."), this, &TTeamView::Save1Click);
    File1->addSeparator();
    exit1 = File1->addAction(QStringLiteral("E&xit"), this, &TTeamView::exit1Click);
    Save2->setEnabled(false);
    Save1->setEnabled(false);

    Colors1 = menuBar()->addMenu(QStringLiteral("&Colors"));
    Backgound1 = Colors1->addAction(QStringLiteral("&Background"), this, &TTeamView::Backgound1Click);
    Table1 = Colors1->addAction(QStringLiteral("&Table"), this, &TTeamView::Table1Click);
    TableHeadings1 =
        Colors1->addAction(QStringLiteral("Table &Headings"), this, &TTeamView::TableHeadings1Click);

    Fonts2 = menuBar()->addMenu(QStringLiteral("Fo&nts"));
    Main1 = Fonts2->addAction(QStringLiteral("&Heading"), this, &TTeamView::Main1Click);
    Table2 = Fonts2->addAction(QStringLiteral("&Table"), this, &TTeamView::Table2Click);
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

QString TTeamView::decoded(const std::string& bytes) const
{
    return decodeText(bytes, m_pageEncoding);
}

void TTeamView::ShowTeam(TTeam team)
{
    LbTName->setText(decoded(team.TeamName));

    const QString details[][2] = {
        {QStringLiteral("Team Name:"), decoded(team.TeamName)},
        {QStringLiteral("Race:"), decoded(team.Race)},
        {QStringLiteral("Team Rating:"), QString::number(team.TeamRating)},
        {QStringLiteral("Treasury:"), decoded(team.Treasury)},
        {QStringLiteral("Coach:"), decoded(team.Coach)},
        {QStringLiteral("Cost of Team:"), decoded(team.TeamCost)},
    };
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 2; ++col)
            TeamGrid2->setCell(col, row, details[row][col]);

    // A cost text the page gave is shown as it stands; otherwise the count or
    // flag gives one.
    const auto costText = [this](const std::string& given, const QString& derived) {
        return given.empty() ? derived : decoded(given);
    };
    const QString extras[][4] = {
        {QStringLiteral("Re-Rolls:"), QString::number(team.ReRolls), decoded(team.ReRollPriceText),
         decoded(team.ReRollCostText)},
        {QStringLiteral("Fan Factor:"), QString::number(team.FanFactor), decoded(team.FanFactorPriceText),
         costText(team.FanFactorCostText, countedCost(team.FanFactor))},
        {QStringLiteral("Assistant Coaches:"), QString::number(team.AssistantCoaches),
         decoded(team.AssistantCoachPriceText),
         costText(team.AssistantCoachCostText, countedCost(team.AssistantCoaches))},
        {QStringLiteral("Cheerleaders:"), QString::number(team.Cheerleaders),
         decoded(team.CheerleaderPriceText),
         costText(team.CheerleaderCostText, countedCost(team.Cheerleaders))},
        {QStringLiteral("Apothecary:"), flagText(team.HasApothecary), decoded(team.ApothecaryPriceText),
         costText(team.ApothecaryCostText, team.HasApothecary ? QStringLiteral("50k") : QString())},
        {QStringLiteral("Team Wizard:"), flagText(team.HasWizard), decoded(team.WizardPriceText),
         costText(team.WizardCostText, team.HasWizard ? QStringLiteral("150k") : QString())},
    };
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 4; ++col)
            TeamGrid3->setCell(col, row, extras[row][col]);

    const char* const headings[] = {"#",   "Player Name", "Position", "MA",  "ST",  "AG",  "AV",  "Skills",
                                    "inj", "cmp",         "td",       "int", "cas", "mvp", "spp", "Cost"};
    for (int col = 0; col < 16; ++col)
        TeamGrid->setCell(col, 0, QString::fromLatin1(headings[col]));

    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        const TPlayer& player = team.Players[slot];
        // An empty slot shows its texts but none of its numbers.
        const auto number = [&player](std::int32_t value) {
            return player.isEmpty() ? QString() : QString::number(value);
        };
        const QString cells[] = {
            QString::number(slot),      decoded(player.PlayerName), decoded(player.Position),
            number(player.MA),          number(player.ST),          number(player.AG),
            number(player.AV),          decoded(player.Skills),     decoded(player.Injuries),
            number(player.Completions), number(player.Touchdowns),  number(player.Interceptions),
            number(player.Casualties),  number(player.MVPs),        number(player.SPP),
            decoded(player.PlayerCost)};
        for (int col = 0; col < 16; ++col)
            TeamGrid->setCell(col, slot, cells[col]);
    }

    setWindowColor(team.BackgroundColor);
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        grid->setColor(team.TableColor);
        grid->setFixedColor(team.HeadingsColor);
    }
    // Only the face and the colour come from the record; size and style stay.
    const auto withFace = [this](QFont font, const std::string& face) {
        if (!face.empty())
            font.setFamily(decoded(face).left(MaxFaceNameLength));
        return font;
    };
    setTableFont({withFace(tableFont(), team.TableFontName), team.TableFontColor});
    setHeadingFont({withFace(headingFont(), team.HeadingFontName), team.HeadingFontColor});
}

void TTeamView::paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                          CellLook look) const
{
    const TColor fill = look == CellLook::Heading   ? grid->fixedColor()
                        : look == CellLook::Focused ? m_tableFontColor
                                                    : grid->color();
    const TColor ink = look == CellLook::Focused ? grid->color() : m_tableFontColor;
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

void TTeamView::TeamGrid2SetEditText(StringGrid*, int col, int row, const QString& value)
{
    if (col == 1 && row == 0)
        LbTName->setText(value);
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
    // Only the cells the record stores are set: a record can have thousands of
    // columns over many rows that are empty.
    GameGrid->clearCells();
    GameGrid->setColCount(record.ColCount);
    GameGrid->setRowCount(record.RowCount);
    GameGrid->setFixedRows(record.FixedRows);
    const std::size_t rows = std::min(record.Cells.size(), std::size_t(std::max(record.RowCount, 0)));
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<std::string>& cells = record.Cells[row];
        const std::size_t cols = std::min(cells.size(), std::size_t(std::max(record.ColCount, 0)));
        for (std::size_t col = 0; col < cols; ++col) {
            if (!cells[col].empty())
                GameGrid->setCell(int(col), int(row), decodeText(cells[col], encoding));
        }
    }
    if (record.Height)
        setGameGridHeight(*record.Height);
}

void TTeamView::setPageEncoding(TextEncoding encoding)
{
    m_pageEncoding = encoding;
}

void TTeamView::showGrids()
{
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid})
        grid->show();
    updateScrollRange();
}

void TTeamView::showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    setPageEncoding(encoding);
    applyMatchRecord(record, encoding);
    ShowTeam(team);
    showGrids();
}

void TTeamView::setPageSourceDialog(PageSource* dialog)
{
    m_pageSourceDialog = dialog;
}

void TTeamView::New1Click()
{
    enableSaving();
    resetToNewTeam(CurrentTeam);
    GameGrid->clearCells();
    GameGrid->setColCount(8);
    GameGrid->setRowCount(2);
    setGameGridHeight(matchGridHeight(2));
    GameGrid->setFixedRows(1);
    const char* const headings[] = {"Result", "Opponent", "Race",     "Score",
                                    "Cas",    "Gate",     "Winnings", "Notes & Highlights"};
    for (int col = 0; col < 8; ++col)
        GameGrid->setCell(col, 0, QString::fromLatin1(headings[col]));
    setPageEncoding(TextEncoding::Utf8);
    ShowTeam(CurrentTeam);
    showGrids();
}

void TTeamView::Open1Click()
{
    enableSaving();
    if (m_pageSourceDialog)
        m_pageSourceDialog->bringUp();
}

void TTeamView::exit1Click()
{
    close();
}

PageSnapshot TTeamView::pageSnapshot() const
{
    PageSnapshot snapshot;
    snapshot.teamGrid = snapshotOf(*TeamGrid);
    snapshot.teamGrid2 = snapshotOf(*TeamGrid2);
    snapshot.teamGrid3 = snapshotOf(*TeamGrid3);
    snapshot.gameGrid = snapshotOf(*GameGrid);
    snapshot.windowColor = m_windowColor;
    snapshot.tableColor = TeamGrid->color();
    snapshot.headingsColor = TeamGrid->fixedColor();
    snapshot.tableFontColor = m_tableFontColor;
    snapshot.tableFontName = tableFont().family();
    snapshot.headingFontColor = m_headingFontColor;
    snapshot.headingFontName = headingFont().family();
    snapshot.encoding = m_pageEncoding;
    return snapshot;
}

void TTeamView::WriteHTML()
{
    Memo1 = buildRosterPage(pageSnapshot());
}

void TTeamView::Save1Click()
{
    WriteHTML();
    saveThroughChooser();
}

void TTeamView::Save2Click()
{
    WriteHTML();
    // A web address or the no-page marker names no file to write back to.
    const QString source = pageSource();
    if (source.startsWith(QLatin1String("HTTP"), Qt::CaseInsensitive) ||
        source.startsWith(QLatin1String("<NONE>"), Qt::CaseInsensitive)) {
        saveThroughChooser();
        return;
    }
    storePage(Memo1, source);
}

void TTeamView::saveThroughChooser()
{
    QString fileName = m_lastSaveName;
    if (!choosers().chooseSaveFile(this, fileName))
        return;
    m_lastSaveName = fileName;
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    setPageSource(fileName);
    storePage(Memo1, fileName);
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
    TColor color = m_windowColor;
    choosers().chooseColor(this, color);
    setWindowColor(color);
}

void TTeamView::Table1Click()
{
    TColor color = TeamGrid->color();
    choosers().chooseColor(this, color);
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3})
        grid->setColor(color);
}

void TTeamView::TableHeadings1Click()
{
    TColor color = TeamGrid->fixedColor();
    choosers().chooseColor(this, color);
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3})
        grid->setFixedColor(color);
}

void TTeamView::Main1Click()
{
    FontChoice choice{headingFont(), m_headingFontColor};
    choosers().chooseFont(this, choice);
    setHeadingFont(choice);
}

void TTeamView::Table2Click()
{
    FontChoice choice{tableFont(), m_tableFontColor};
    choosers().chooseFont(this, choice);
    setTableFont(choice);
}

void TTeamView::setWindowColor(TColor color)
{
    m_windowColor = color;
    QPalette colors = m_canvas->palette();
    colors.setColor(QPalette::Window, toQColor(color, palette()));
    m_canvas->setPalette(colors);
}

void TTeamView::setTableFont(const FontChoice& choice)
{
    m_tableFontColor = choice.color;
    m_canvas->setFont(choice.font);
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid})
        grid->viewport()->update();
}

void TTeamView::setHeadingFont(const FontChoice& choice)
{
    m_headingFontColor = choice.color;
    LbTName->setFont(choice.font);
    QPalette colors = LbTName->palette();
    colors.setColor(QPalette::WindowText, toQColor(choice.color, palette()));
    LbTName->setPalette(colors);
}

void TTeamView::setGameGridHeight(int height)
{
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
