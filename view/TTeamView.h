#pragma once

#include "MatchRecord.h"
#include "RosterImporter.h"
#include "RosterSheet.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <QMainWindow>

#include <optional>

#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class QScrollArea;
class QToolBar;
class RosterDocument;
class StartHint;
class StringGrid;
class PageSource;
struct FontChoice;

// The editor's main window: the team-name heading over four grids (players,
// team details, staff and extras, match record), and the File, Colors and
// Fonts menus. It views a roster sheet: the grids show its cells and write
// edits back to it, and the window's colours and faces follow it. Font sizes
// and styles are the window's own.
class TTeamView : public QMainWindow
{
    Q_OBJECT
public:
    explicit TTeamView(QWidget* parent = nullptr);
    ~TTeamView() override;

    void ShowTeam(TTeam team);
    void Backgound1Click();
    void Main1Click();
    void Table2Click();
    void Table1Click();
    void TableHeadings1Click();
    void Open1Click();
    void Import1Click();
    void ImportButtonClick();
    void WriteHTML();
    void exit1Click();
    void Save1Click();
    void Save2Click();
    void New1Click();

    // Cell painting, selection and edit notifications of the grids.
    void TeamGridDrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                          bool focused);
    void TeamGrid2DrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                           bool focused);
    void TeamGridSelectCell(StringGrid* sender, int col, int row);
    void TeamGrid2SetEditText(StringGrid* sender, int col, int row, const QString& value);
    void GameGridSetEditText(StringGrid* sender, int col, int row, const QString& value);

    // The working directory at the window's creation: the text of Edit1.
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
    // File, Open read a page that another tool wrote: when the importer makes
    // more of it, the import bar offers to show the import instead.
    void offerImport(const QString& pagePath, const TTeam& read, TextEncoding encoding);
    // File, Open shows this dialog; Save reads and sets its path box.
    void setPageSourceDialog(PageSource* dialog);
    // Reads a page named from outside (the command line, a drop, File, Open
    // Recent) as the page source dialog's OK does.
    void openPage(const QString& page);

    // The page WriteHTML built last.
    const std::vector<std::string>& pageBuffer() const { return Memo1; }

    // The look the Colors and Fonts menus change.
    TColor windowColor() const { return m_sheet.color(SheetColor::Window); }
    QFont tableFont() const;
    TColor tableFontColor() const { return m_sheet.fontColor(SheetFont::Table); }
    QFont headingFont() const;
    TColor headingFontColor() const { return m_sheet.fontColor(SheetFont::Heading); }

    // Controls.
    StringGrid* TeamGrid;
    QLabel* LbTName;
    StringGrid* TeamGrid2;
    StringGrid* TeamGrid3;
    QLineEdit* Edit1;
    StringGrid* GameGrid;
    QLabel* Label1;
    // The bar above the grids that offers an import, or reports one.
    QToolBar* ImportBar;
    QLabel* ImportBarText;
    QPushButton* ImportButton;

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

    // The roster differs from the one last read, created or saved.
    bool isModified() const;
    // Asks to save changes that would be lost: true when the action may go on.
    bool mayDiscardChanges();
    // The same before a page read replaces the roster; when the answer keeps
    // the roster, the path box names its page again.
    bool mayReplaceWithReadPage();
    // Save and Save As; false when the file chooser was cancelled.
    bool save();
    bool saveAs();
    void undo();
    void redo();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class CellLook
    {
        Heading,
        Focused,
        Body
    };

    void FormCreate();
    void createContents();
    void createMenu();
    void createHelpMenu();
    void createEditMenu();
    // Closes an open cell editor, keeping what it holds.
    void finishCellEditing();
    void createRecentPagesMenu();
    void showShortcuts();
    // Grids are created in their tab order.
    StringGrid* createGrid(const QString& name, QRect geometry, SheetGrid shown);
    // The window follows every change of the sheet.
    void sheetChanged(const SheetChange& change);
    void followWholeSheet();
    void applyGridColors(std::initializer_list<StringGrid*> grids);
    void applyTableFont();
    void applyHeadingFont();
    void paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                   CellLook look) const;
    void applyWindowColor();
    void setGameGridHeight(int height);
    void updateScrollRange();
    void enableSaving();
    void createImportBar();
    // from: the page the import was made of, which names the roster.
    void showImport(const ImportResult& result, const QString& from);
    // Save As: asks for the file, makes it the page source and stores the page buffer there.
    bool saveThroughChooser();
    bool saveBeforeDiscarding();
    QString pageSource() const;
    void setPageSource(const QString& text);

    QScrollArea* m_scrollArea;
    QWidget* m_canvas;
    StartHint* m_startHint;
    RosterDocument* m_document;
    PageSource* m_pageSourceDialog = nullptr;
    std::optional<ImportResult> m_offeredImport;
    QAction* m_importButtonAction = nullptr;
    RosterSheet m_sheet;
    std::vector<std::string> Memo1;
    QString m_lastSaveName; // the save chooser starts from the name chosen last
};
