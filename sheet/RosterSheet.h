#pragma once

#include "TTeam.h"
#include "TextEncoding.h"

#include <QString>

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// The four grids of a roster, as the main window shows them: players
// (TeamGrid), team details (TeamGrid2), staff and extras (TeamGrid3) and the
// match record (GameGrid).
enum class SheetGrid
{
    Players,
    Details,
    Extras,
    Matches
};
inline constexpr std::array<SheetGrid, 4> AllSheetGrids = {SheetGrid::Players, SheetGrid::Details,
                                                           SheetGrid::Extras, SheetGrid::Matches};

// The page colours: window background, table cells, heading cells, table text
// and the team-name heading's text.
enum class SheetColor
{
    Window,
    Table,
    Headings,
    TableFont,
    HeadingFont
};

enum class SheetFont
{
    Table,
    Heading
};

// A grid's size and its heading (fixed) rows and columns.
struct GridShape
{
    int cols = 0;
    int rows = 0;
    int fixedRows = 0;
    int fixedCols = 0;

    friend bool operator==(const GridShape&, const GridShape&) = default;
};

// The texts and column widths of one grid, heading cells included.
class SheetTable
{
public:
    const GridShape& shape() const { return m_shape; }
    int colCount() const { return m_shape.cols; }
    int rowCount() const { return m_shape.rows; }
    bool isFixed(int col, int row) const { return row < m_shape.fixedRows || col < m_shape.fixedCols; }
    // A cell outside the grid, or one never given a text, reads as empty.
    const QString& cell(int col, int row) const;
    // The width in pixels of a column, its grid line not counted; 0 outside the grid.
    int columnWidth(int col) const;
    // How many cells of the row are stored: those after it are empty.
    int storedCellCount(int row) const
    {
        return row >= 0 && row < m_shape.rows ? int(m_cells[std::size_t(row)].size()) : 0;
    }
    // The width a column gets when the grid gains it.
    int defaultColumnWidth() const { return m_defaultWidth; }

private:
    friend class RosterSheet;

    GridShape m_shape;
    // m_cells[row][col]: each row holds its cells only up to the last one that
    // was given a text, so a wide grid of empty rows costs no memory per cell.
    std::vector<std::vector<QString>> m_cells;
    std::vector<int> m_widths;
    int m_defaultWidth = 64;
};

// One change of a sheet, as its observers hear of it. Which members are set
// depends on the kind; old and new value are both given so that a change can
// be undone by applying the old value through the same method.
struct SheetChange
{
    enum class Kind
    {
        Cell,        // grid, col, row, oldText, newText
        Shape,       // grid, oldShape, newShape
        ColumnMove,  // grid, from, to (texts and width move together)
        ColumnWidth, // grid, col, oldWidth, newWidth
        Color,       // color, oldColor, newColor
        Font,        // font, oldText and newText (face names), oldColor and newColor
        Encoding,    // oldEncoding, newEncoding
        Replaced     // the whole content was replaced: a new page is shown
    };

    Kind kind = Kind::Cell;
    SheetGrid grid = SheetGrid::Players;
    int col = -1;
    int row = -1;
    int from = -1;
    int to = -1;
    QString oldText, newText;
    GridShape oldShape, newShape;
    int oldWidth = 0, newWidth = 0;
    SheetColor color = SheetColor::Window;
    SheetFont font = SheetFont::Table;
    TColor oldColor = 0, newColor = 0;
    TextEncoding oldEncoding = TextEncoding::Utf8, newEncoding = TextEncoding::Utf8;

    // Why the change was made. Undo takes a change back together with the
    // follow-up it caused; a change that puts back an earlier state already
    // holds its follow-up, so observers derive nothing from it.
    enum class Cause
    {
        Edit,     // a change of its own
        FollowUp, // made by an observer while it was told of another change
        Restore   // put back by undo or redo
    };
    Cause cause = Cause::Edit;
};

// Everything a roster page shows and is written from: the texts of the four
// grids, their sizes and column widths, the page colours, the face names and
// the encoding the page was read in. Widget-free; the window views it and the
// page builder writes it.
//
// Observing: addObserver(f) calls f after every change, with what changed;
// removeObserver(id) stops it. A change an observer makes is reported once
// the change it was told of has reached every observer. Every change goes through the set... methods
// (cells only through setCell), so an observer misses none. Copies take the
// content only, never the observers; replaceWith() loads another sheet's
// content and reports Replaced.
class RosterSheet
{
public:
    // The window at start-up: every cell empty, the layout's sizes, the new
    // team's colours and faces, and the system window-text colour for the table text.
    RosterSheet();
    RosterSheet(const RosterSheet& other);
    RosterSheet& operator=(const RosterSheet&) = delete;
    ~RosterSheet();

    const SheetTable& table(SheetGrid grid) const { return m_tables[index(grid)]; }
    const QString& cell(SheetGrid grid, int col, int row) const { return table(grid).cell(col, row); }
    TColor color(SheetColor which) const { return m_colors[std::size_t(which)]; }
    const QString& fontName(SheetFont which) const { return m_faces[std::size_t(which)]; }
    TColor fontColor(SheetFont which) const;
    TextEncoding encoding() const { return m_encoding; }
    // The match grid's height in pixels when the page set one; unset, the
    // window keeps the height it has.
    std::optional<int> matchGridHeight() const { return m_matchGridHeight; }

    // The one way a cell's text changes. Cells outside the grid are left alone.
    void setCell(SheetGrid grid, int col, int row, const QString& text);
    // Cells that stay keep their texts; new cells are empty, new columns
    // get the grid's default width.
    void setShape(SheetGrid grid, const GridShape& shape);
    // Moves a column with its texts and its width so that it lands at index to.
    void moveColumn(SheetGrid grid, int from, int to);
    void setColumnWidth(SheetGrid grid, int col, int width);
    // Only columns added later take it, so nothing shown changes and nothing is reported.
    void setDefaultColumnWidth(SheetGrid grid, int width);
    void setColor(SheetColor which, TColor color);
    // The face name and the colour of a font; one change.
    void setFont(SheetFont which, const QString& name, TColor color);
    void setEncoding(TextEncoding encoding);
    void setMatchGridHeight(std::optional<int> height) { m_matchGridHeight = height; }
    void replaceWith(const RosterSheet& other);
    // Makes the changes, each reported as a Restore.
    void restore(const std::function<void()>& changes);

    using Observer = std::function<void(const SheetChange& change)>;
    int addObserver(Observer observer);
    void removeObserver(int id);

private:
    static std::size_t index(SheetGrid grid) { return std::size_t(grid); }
    SheetTable& tableOf(SheetGrid grid) { return m_tables[index(grid)]; }
    void copyContent(const RosterSheet& other);
    void report(const SheetChange& change);

    std::array<SheetTable, 4> m_tables;
    std::array<TColor, 5> m_colors{};
    std::array<QString, 2> m_faces;
    TextEncoding m_encoding = TextEncoding::Utf8;
    std::optional<int> m_matchGridHeight;

    std::vector<std::pair<int, Observer>> m_observers;
    // Changes an observer makes while it is told of another wait here until
    // every observer has heard that one, so that all of them hear every change
    // in the order the changes were made.
    std::deque<SheetChange> m_unreported;
    bool m_reporting = false;
    bool m_restoring = false;
    int m_nextObserverId = 1;
};
