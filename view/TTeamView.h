#pragma once

#include "MatchRecord.h"
#include "RosterPage.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <QMainWindow>

#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QScrollArea;
class StringGrid;
class PageSource;
struct FontChoice;

// The editor's main window: the team-name heading over four grids (players,
// team details, staff and extras, match record), and the File, Colors and
// Fonts menus. Once a team is shown, the controls hold the roster.
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
    // A successful read's match record into GameGrid, its texts decoded with encoding.
    void applyMatchRecord(const MatchRecord& record, TextEncoding encoding);
    // How the shown page was read; File, New sets UTF-8.
    void setPageEncoding(TextEncoding encoding);
    TextEncoding pageEncoding() const { return m_pageEncoding; }
    // Makes TeamGrid, TeamGrid2, TeamGrid3 and GameGrid visible, in this order.
    void showGrids();
    // A page read without failure: its match record, the team and the grids.
    void showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding);
    // File, Open shows this dialog; Save reads and sets its path box.
    void setPageSourceDialog(PageSource* dialog);
    // The page WriteHTML built last.
    const std::vector<std::string>& pageBuffer() const { return Memo1; }
    PageSnapshot pageSnapshot() const;

    // The look the Colors and Fonts menus change.
    TColor windowColor() const { return m_windowColor; }
    QFont tableFont() const;
    TColor tableFontColor() const { return m_tableFontColor; }
    QFont headingFont() const;
    TColor headingFontColor() const { return m_headingFontColor; }

    // Controls.
    StringGrid* TeamGrid;
    QLabel* LbTName;
    StringGrid* TeamGrid2;
    StringGrid* TeamGrid3;
    QLineEdit* Edit1;
    StringGrid* GameGrid;
    QLabel* Label1;

    // Menu items.
    QMenu* File1;
    QAction* New1;
    QAction* Open1;
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
    // Grids are created in their tab order.
    StringGrid* createGrid(const QString& name, QRect geometry, int cols, int rows,
                           const std::vector<int>& colWidths);
    void paintCell(StringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                   CellLook look) const;
    QString decoded(const std::string& bytes) const;
    void setWindowColor(TColor color);
    void setTableFont(const FontChoice& choice);
    void setHeadingFont(const FontChoice& choice);
    void setGameGridHeight(int height);
    void updateScrollRange();
    void enableSaving();
    // Save As: asks for the file, makes it the page source and stores the page buffer there.
    void saveThroughChooser();
    QString pageSource() const;
    void setPageSource(const QString& text);

    QScrollArea* m_scrollArea;
    QWidget* m_canvas;
    PageSource* m_pageSourceDialog = nullptr;
    std::vector<std::string> Memo1;
    TColor m_windowColor = 0;
    TColor m_tableFontColor = 0;
    TColor m_headingFontColor = 0;
    TextEncoding m_pageEncoding = TextEncoding::Utf8;
    QString m_lastSaveName; // the save chooser starts from the name chosen last
};
