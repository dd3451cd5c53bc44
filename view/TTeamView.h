#pragma once

#include "MatchRecord.h"
#include "PageSourceBox.h"
#include "RosterImporter.h"
#include "RosterSheet.h"
#include "TTeam.h"
#include "TeamValue.h"
#include "TextEncoding.h"
#include "WindowGrids.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class ActiveRules;
class CellPainter;
class CellPickers;
class ClipboardCommands;
class DocumentCommands;
class EditCommands;
class FindBar;
class GridLayout;
class HiringCommands;
class LookCommands;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPainter;
class QScrollArea;
class QToolBar;
class PaperMenu;
class PlayerRowCommands;
class RulesCommands;
class RosterDocument;
class SheetTotals;
class StartHint;
class WindowState;
class SaveCommands;
class StringGrid;
class PageSource;
struct FontChoice;

// The editor's main window: the team-name heading over four grids (players,
// team details, staff and extras, match record), and the File, Edit, Colors,
// Fonts, Team and Help menus. It views a roster sheet: the grids show its cells and write
// edits back to it, and the window's colours and faces follow it. Font sizes
// and styles are the window's own.
class TTeamView : public QMainWindow
{
    Q_OBJECT
public:
    explicit TTeamView(QWidget* parent = nullptr);
    ~TTeamView() override;

    // The design's entry points: each forwards to the function named by intent.
    void ShowTeam(TTeam team);
    void Backgound1Click();
    void Main1Click();
    void Table2Click();
    void Table1Click();
    void TableHeadings1Click();
    void Open1Click();
    void WriteHTML();
    void exit1Click();
    void Save1Click();
    void Save2Click();
    void New1Click();

    // File, Colors and Fonts commands.
    void newTeam();
    void openPageSource();
    void exitProgram();
    // Save and Save As; false when they were cancelled.
    bool save();
    bool saveAs();
    void undo();
    void redo();
    // File, Import...: a page of another roster tool, read by the importer.
    void importPage();
    void chooseBackgroundColor();
    void chooseTableColor();
    void chooseHeadingsColor();
    void chooseHeadingFont();
    void chooseTableFont();
    // Builds the page of what the window shows into the page buffer.
    void buildPage();

    // Cell painting, selection and edit notifications of the grids.
    void TeamGridDrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                          bool focused);
    void TeamGrid2DrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                           bool focused);
    void TeamGridSelectCell(StringGrid* sender, int col, int row);
    void TeamGrid2SetEditText(StringGrid* sender, int col, int row, const QString& value);
    void GameGridSetEditText(StringGrid* sender, int col, int row, const QString& value);

    // The working directory at the window's creation.
    QString startDirectory() const;
    // Shows the page: the sheet's content becomes the window's, the grids visible.
    void showPage(const RosterSheet& sheet);
    // What the window shows; every change of it goes through its methods.
    RosterSheet& sheet() { return m_sheet; }
    const RosterSheet& sheet() const { return m_sheet; }
    // A successful read's match record into GameGrid, its texts decoded with encoding.
    void applyMatchRecord(const MatchRecord& record, TextEncoding encoding);
    // How the shown page was read; File, New sets UTF-8.
    void setPageEncoding(TextEncoding encoding);
    TextEncoding pageEncoding() const { return m_sheet.encoding(); }
    // Makes TeamGrid, TeamGrid2, TeamGrid3 and GameGrid visible, in this order.
    void showGrids();
    // A page read without failure: its match record, the team and the grids.
    void showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding);
    // Shows the import of another tool's page; from names the page, and so
    // the roster. The import bar tells what the import took and left.
    void showImport(const ImportResult& result, const QString& from);
    // File, Open shows this dialog; Save reads and sets its path box.
    void setPageSourceDialog(PageSource* dialog);
    // Reads a page named from outside (the command line, a drop, File, Open
    // Recent) as the page source dialog's OK does.
    void openPage(const QString& page);

    // The roster differs from the one last read, created or saved.
    bool isModified() const;
    // Asks to save changes that would be lost: true when the action may go on.
    bool mayDiscardChanges();
    // The same before a page read replaces the roster; when the answer keeps
    // the roster, the path box names its page again.
    bool mayReplaceWithReadPage();
    // The page WriteHTML built last.
    const std::vector<std::string>& pageBuffer() const;

    // The league rules the roster is checked against, if any.
    ActiveRules& leagueRules() { return *m_rules; }
    const ActiveRules& leagueRules() const { return *m_rules; }
    // Loading and dropping them, their findings and the team rating they give.
    RulesCommands& rulesCommands() { return *m_rulesCommands; }

    // The team value and the marks of the shown roster.
    const SheetTotals& totals() const { return *m_totals; }
    // Team, Update Cost of Team: the team value into Cost of Team, one change of the sheet.
    void updateCostOfTeam();

    // The look the Colors and Fonts menus change.
    TColor windowColor() const { return m_sheet.color(SheetColor::Window); }
    QFont tableFont() const;
    TColor tableFontColor() const { return m_sheet.fontColor(SheetFont::Table); }
    QFont headingFont() const;
    TColor headingFontColor() const { return m_sheet.fontColor(SheetFont::Heading); }

private:
    // Controls, named by their object names too.
    StringGrid* TeamGrid;
    QLabel* LbTName;
    StringGrid* TeamGrid2;
    StringGrid* TeamGrid3;
    StringGrid* GameGrid;
    QLabel* Label1;
    // The bar above the grids that reports an import.
    QToolBar* ImportBar;
    QLabel* ImportBarText;

    // Menu items.
    QMenu* File1;
    QAction* New1;
    QAction* Open1;
    QAction* Import1;
    QAction* Save2;
    QAction* Save1;
    QAction* exit1;
    QMenu* Colors1;
    QAction* Backgound1;
    QAction* Table1;
    QAction* TableHeadings1;
    QMenu* Fonts2;
    QAction* Main1;
    QAction* Table2;
    QMenu* EditMenu;
    QAction* Undo1;
    QAction* Redo1;
    QMenu* Help1;
    QAction* Shortcuts1;
    QAction* About1;

protected:
    // A fetch in progress ends with the window, so that the program ends at
    // once; changes are saved or given up first.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void createContents();
    void createMenu();
    void createEditMenu();
    void createHelpMenu();
    void showShortcuts();
    // Every cell's context menu: the clipboard commands, and in the players'
    // grid the player row commands.
    void createCellMenus();
    QList<QAction*> cellMenuActions(StringGrid* grid) const;
    // Grids are created in their tab order.
    StringGrid* createGrid(const QString& name, QRect geometry, SheetGrid shown);
    // The window follows every change of the sheet.
    void sheetChanged(const SheetChange& change);
    void followWholeSheet();
    // The controls the command groups work on.
    WindowGrids grids() const;
    // Large enough for the whole roster, within the screen.
    QSize openingSize() const;
    // The first roster shown gets a window large enough for all of it.
    void fitWindowToRoster();
    void createTotals();
    void totalsUpdated();
    void createImportBar();

    // The command groups the menus forward to.
    GridLayout* m_layout = nullptr;
    LookCommands* m_look = nullptr;
    EditCommands* m_editing = nullptr;
    SaveCommands* m_saving = nullptr;
    DocumentCommands* m_documentCommands = nullptr;
    ClipboardCommands* m_clipboard = nullptr;
    PlayerRowCommands* m_playerRows = nullptr;
    RulesCommands* m_rulesCommands = nullptr;
    HiringCommands* m_hiring = nullptr;
    CellPickers* m_pickers = nullptr;
    FindBar* m_findBar = nullptr;
    std::unique_ptr<CellPainter> m_painter;

    QScrollArea* m_scrollArea;
    PaperMenu* m_paperMenu = nullptr;
    QWidget* m_canvas;
    StartHint* m_startHint = nullptr;
    RosterDocument* m_document = nullptr;
    ActiveRules* m_rules = nullptr;
    PageSourceBox m_pageSource;
    QString m_startDirectory;
    RosterSheet m_sheet;
    std::unique_ptr<SheetTotals> m_totals;
    std::vector<MoneyMark> m_paintedMarks;
    QLabel* m_teamValue = nullptr;
    QAction* m_updateCostOfTeam = nullptr;
    bool m_sizedForRoster = false;
    std::unique_ptr<WindowState> m_windowState;
};
