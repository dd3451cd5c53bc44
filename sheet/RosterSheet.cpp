#include "RosterSheet.h"

#include <algorithm>
#include <utility>

namespace {

constexpr TColor WhiteColor = 0xFFFFFF;
constexpr TColor NewTableColor = 0xD0FFFF;
constexpr TColor NewHeadingsColor = 0xA0D0D0;

// Moves the item at from so that it lands at index to, the others keeping their order.
template <typename T> void moveItem(std::vector<T>& items, std::size_t from, std::size_t to)
{
    const auto first = items.begin();
    const auto f = static_cast<std::ptrdiff_t>(from);
    const auto t = static_cast<std::ptrdiff_t>(to);
    if (t > f)
        std::rotate(first + f, first + f + 1, first + t + 1);
    else
        std::rotate(first + t, first + f, first + f + 1);
}

struct Layout
{
    GridShape shape;
    std::vector<int> widths;
    int defaultWidth;
};

// The grids as the window lays them out before any page is shown.
const std::array<Layout, 4>& layouts()
{
    static const std::array<Layout, 4> grids = {
        Layout{{16, 17, 1, 0}, {18, 101, 75, 22, 21, 21, 20, 241, 29, 30, 29, 28, 28, 29, 29, 46}, 64},
        Layout{{2, 6, 0, 1}, {147, 210}, 64},
        Layout{{4, 6, 0, 1}, {198, 49, 98, 56}, 64},
        Layout{{8, 2, 1, 0}, {60, 164, 73, 64, 58, 49, 48, 241}, 80},
    };
    return grids;
}

} // namespace

const QString& SheetTable::cell(int col, int row) const
{
    static const QString empty;
    if (row < 0 || col < 0 || row >= m_shape.rows || col >= m_shape.cols)
        return empty;
    const auto& cells = m_cells[std::size_t(row)];
    return std::size_t(col) < cells.size() ? cells[std::size_t(col)] : empty;
}

int SheetTable::columnWidth(int col) const
{
    return col >= 0 && std::size_t(col) < m_widths.size() ? m_widths[std::size_t(col)] : 0;
}

RosterSheet::RosterSheet()
{
    for (const SheetGrid grid : AllSheetGrids) {
        const Layout& layout = layouts()[index(grid)];
        SheetTable& table = tableOf(grid);
        table.m_shape = layout.shape;
        table.m_cells.resize(std::size_t(layout.shape.rows));
        table.m_widths = layout.widths;
        table.m_defaultWidth = layout.defaultWidth;
    }
    m_colors = {WhiteColor, NewTableColor, NewHeadingsColor, WindowTextSystemColor, 0};
    m_faces = {QString::fromLatin1(DefaultFaceName), QString::fromLatin1(DefaultFaceName)};
}

RosterSheet::RosterSheet(const RosterSheet& other)
{
    copyContent(other);
}

RosterSheet::~RosterSheet() = default;

void RosterSheet::copyContent(const RosterSheet& other)
{
    m_tables = other.m_tables;
    m_colors = other.m_colors;
    m_faces = other.m_faces;
    m_encoding = other.m_encoding;
    m_matchGridHeight = other.m_matchGridHeight;
}

TColor RosterSheet::fontColor(SheetFont which) const
{
    return color(which == SheetFont::Table ? SheetColor::TableFont : SheetColor::HeadingFont);
}

void RosterSheet::setCell(SheetGrid grid, int col, int row, const QString& text)
{
    SheetTable& table = tableOf(grid);
    if (row < 0 || col < 0 || row >= table.m_shape.rows || col >= table.m_shape.cols)
        return;
    const QString& old = table.cell(col, row);
    if (old == text)
        return;
    // Sheets being built have nobody to tell: they skip making the report.
    std::optional<SheetChange> change;
    if (!m_observers.empty()) {
        change.emplace();
        change->kind = SheetChange::Kind::Cell;
        change->grid = grid;
        change->col = col;
        change->row = row;
        change->oldText = old;
        change->newText = text;
    }
    auto& cells = table.m_cells[std::size_t(row)];
    if (std::size_t(col) >= cells.size())
        cells.resize(std::size_t(col) + 1);
    cells[std::size_t(col)] = text;
    // A row keeps no empty cells at its end.
    while (!cells.empty() && cells.back().isEmpty())
        cells.pop_back();
    if (change)
        report(*change);
}

void RosterSheet::setShape(SheetGrid grid, const GridShape& wanted)
{
    GridShape shape = wanted;
    shape.cols = std::max(shape.cols, 0);
    shape.rows = std::max(shape.rows, 0);
    shape.fixedRows = std::max(shape.fixedRows, 0);
    shape.fixedCols = std::max(shape.fixedCols, 0);
    SheetTable& table = tableOf(grid);
    if (shape == table.m_shape)
        return;
    SheetChange change;
    change.kind = SheetChange::Kind::Shape;
    change.grid = grid;
    change.oldShape = table.m_shape;
    change.newShape = shape;
    table.m_cells.resize(std::size_t(shape.rows));
    if (shape.cols < table.m_shape.cols) {
        for (auto& cells : table.m_cells) {
            if (cells.size() > std::size_t(shape.cols))
                cells.resize(std::size_t(shape.cols));
        }
    }
    table.m_widths.resize(std::size_t(shape.cols), table.m_defaultWidth);
    table.m_shape = shape;
    report(change);
}

void RosterSheet::moveColumn(SheetGrid grid, int from, int to)
{
    SheetTable& table = tableOf(grid);
    const int cols = table.m_shape.cols;
    if (from == to || from < 0 || to < 0 || from >= cols || to >= cols)
        return;
    // A row that ends before both columns has nothing to move; a row that
    // ends between or on them is filled out to the farther one first.
    const std::size_t first = std::size_t(std::min(from, to));
    const std::size_t last = std::size_t(std::max(from, to));
    for (auto& cells : table.m_cells) {
        if (cells.size() <= first)
            continue;
        if (cells.size() <= last)
            cells.resize(last + 1);
        moveItem(cells, std::size_t(from), std::size_t(to));
    }
    moveItem(table.m_widths, std::size_t(from), std::size_t(to));
    SheetChange change;
    change.kind = SheetChange::Kind::ColumnMove;
    change.grid = grid;
    change.from = from;
    change.to = to;
    report(change);
}

void RosterSheet::setColumnWidth(SheetGrid grid, int col, int width)
{
    SheetTable& table = tableOf(grid);
    width = std::max(width, 0);
    if (col < 0 || col >= table.m_shape.cols || table.m_widths[std::size_t(col)] == width)
        return;
    SheetChange change;
    change.kind = SheetChange::Kind::ColumnWidth;
    change.grid = grid;
    change.col = col;
    change.oldWidth = table.m_widths[std::size_t(col)];
    change.newWidth = width;
    table.m_widths[std::size_t(col)] = width;
    report(change);
}

void RosterSheet::setDefaultColumnWidth(SheetGrid grid, int width)
{
    tableOf(grid).m_defaultWidth = std::max(width, 0);
}

void RosterSheet::setColor(SheetColor which, TColor color)
{
    TColor& current = m_colors[std::size_t(which)];
    if (current == color)
        return;
    SheetChange change;
    change.kind = SheetChange::Kind::Color;
    change.color = which;
    change.oldColor = current;
    change.newColor = color;
    current = color;
    report(change);
}

void RosterSheet::setFont(SheetFont which, const QString& name, TColor color)
{
    QString& face = m_faces[std::size_t(which)];
    TColor& ink =
        m_colors[std::size_t(which == SheetFont::Table ? SheetColor::TableFont : SheetColor::HeadingFont)];
    if (face == name && ink == color)
        return;
    SheetChange change;
    change.kind = SheetChange::Kind::Font;
    change.font = which;
    change.oldText = face;
    change.newText = name;
    change.oldColor = ink;
    change.newColor = color;
    face = name;
    ink = color;
    report(change);
}

void RosterSheet::setEncoding(TextEncoding encoding)
{
    if (encoding == m_encoding)
        return;
    SheetChange change;
    change.kind = SheetChange::Kind::Encoding;
    change.oldEncoding = m_encoding;
    change.newEncoding = encoding;
    m_encoding = encoding;
    report(change);
}

void RosterSheet::replaceWith(const RosterSheet& other)
{
    if (&other != this)
        copyContent(other);
    SheetChange change;
    change.kind = SheetChange::Kind::Replaced;
    report(change);
}

int RosterSheet::addObserver(Observer observer)
{
    const int id = m_nextObserverId++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void RosterSheet::removeObserver(int id)
{
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void RosterSheet::restore(const std::function<void()>& changes)
{
    const bool wasRestoring = std::exchange(m_restoring, true);
    try {
        changes();
    } catch (...) {
        m_restoring = wasRestoring;
        throw;
    }
    m_restoring = wasRestoring;
}

void RosterSheet::report(const SheetChange& change)
{
    m_unreported.push_back(change);
    if (m_restoring)
        m_unreported.back().cause = SheetChange::Cause::Restore;
    else if (m_reporting)
        m_unreported.back().cause = SheetChange::Cause::FollowUp;
    if (m_reporting)
        return;
    m_reporting = true;
    try {
        while (!m_unreported.empty()) {
            const SheetChange next = std::move(m_unreported.front());
            m_unreported.pop_front();
            // An observer may add or remove observers while it is told; those
            // it adds hear from the next change on.
            const auto observers = m_observers;
            for (const auto& [id, observer] : observers)
                observer(next);
        }
    } catch (...) {
        m_unreported.clear();
        m_reporting = false;
        throw;
    }
    m_reporting = false;
}
