#pragma once

#include <QFontMetrics>

#include <map>
#include <vector>

class StringGrid;

// The widths a grid's columns take on screen. A column is at least as wide as
// the sheet says (the layout's width) and as its widest text, heading
// included, in the grid's font; a column the user dragged keeps the dragged
// width for the session, across pages; the width the grid has beyond the sum
// goes to one stretch column, which is only as wide as its layout width when
// the grid is at its minimum (its texts may be long, and are cut there). Texts are measured only when asked
// (a page shown, the font changed), so typing does not make columns jump. Widths exclude the 1-pixel grid
// line after each column, as the sheet's do.
class ColumnFitter
{
public:
    // stretchColumn: the column that takes the spare width; -1 for none.
    explicit ColumnFitter(StringGrid* grid, int stretchColumn = -1);

    // Measures every column's widest text in the grid's current font.
    void measure();
    // The user dragged a column to this width.
    void columnDragged(int col, int width);
    // The widths the user dragged, by column.
    const std::map<int, int>& draggedWidths() const { return m_dragged; }
    // A column moved with its cells: its dragged width and the stretch go with it.
    void columnMoved(int from, int to);
    // The grid's width without spare width: every column and its grid line.
    int minimumWidth() const;
    // The widths for a grid of the given width, spare width in the stretch column.
    std::vector<int> widths(int gridWidth) const;
    // Gives the grid's columns the widths for its present width.
    void apply() const;

private:
    int baseWidth(int col) const;

    StringGrid* m_grid;
    int m_stretchColumn;
    std::vector<int> m_textWidths;
    std::map<int, int> m_dragged;
};
