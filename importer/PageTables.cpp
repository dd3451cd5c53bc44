#include "PageTables.h"

#include "LineCleanup.h"
#include "TeamLabels.h"

#include <algorithm>

namespace {

void appendCapped(std::string& to, std::string_view text, std::size_t limit)
{
    // Most elements state no look and no class.
    if (text.empty())
        return;
    to.append(text.substr(0, limit - std::min(to.size(), limit)));
}

void appendRun(std::string& to, std::string_view run, std::size_t limit)
{
    if (!to.empty())
        appendCapped(to, " ", limit);
    appendCapped(to, run, limit);
}

// A span the page states, clamped to the columns a roster can use; a number
// too large for any type counts as the widest span.
int spanOf(std::string_view colspan)
{
    if (colspan.empty())
        return 1;
    const std::string_view digits = trimmed(colspan);
    const std::optional<std::int32_t> span = leadingNumber(digits);
    if (!span && !digits.empty() && digits.front() >= '0' && digits.front() <= '9')
        return WidestCellSpan;
    return std::clamp(span.value_or(1), 1, WidestCellSpan);
}

bool isSectionHeading(std::string_view name)
{
    return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

} // namespace

void ElementLook::takeFrom(const TagAttributes& attributes)
{
    // A page may state its body twice; the first statement of each wins.
    if (bgcolor.empty())
        appendCapped(bgcolor, attributes.value("bgcolor"), LongestLookText);
    if (text.empty())
        appendCapped(text, attributes.value("text"), LongestLookText);
    if (style.empty())
        appendCapped(style, attributes.value("style"), LongestLookText);
}

void ElementLook::clear()
{
    bgcolor.clear();
    text.clear();
    style.clear();
}

std::string_view TableRow::runsOf(const TableCell& cell) const
{
    return std::string_view(buffer).substr(cell.textBegin, cell.textEnd - cell.textBegin);
}

std::string TableRow::textOf(const TableCell& cell) const
{
    std::string text(runsOf(cell));
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string_view TableRow::classesOf(const TableCell& cell) const
{
    return std::string_view(buffer).substr(cell.classBegin, cell.classEnd - cell.classBegin);
}

void PageTables::startElement(std::string_view name, const TagAttributes& attributes)
{
    ++m_depth;
    if (name == "table") {
        if (m_untrackedTables > 0 || m_tables.size() >= DeepestTable) {
            ++m_untrackedTables;
            return;
        }
        OpenTable table;
        table.number = m_tableCount++;
        table.depth = m_depth;
        table.look.takeFrom(attributes);
        m_tables.push_back(std::move(table));
    } else if (!m_tables.empty() && m_untrackedTables == 0 &&
               (name == "tr" || name == "td" || name == "th")) {
        OpenTable& table = m_tables.back();
        if (name == "tr") {
            closeRow(table);
            openRow(table, &attributes);
        } else {
            openCell(table, name == "th", attributes);
        }
    } else if (name == "title" && m_titleDepth == 0 && m_title.empty()) {
        m_titleDepth = m_depth;
    } else if (isSectionHeading(name) && !m_headingSeen) {
        m_headingDepth = m_depth;
        m_headingSeen = true;
    } else if (name == "body") {
        m_body.takeFrom(attributes);
    }
}

void PageTables::endElement(std::string_view name)
{
    if (name == "table" && m_untrackedTables > 0) {
        --m_untrackedTables;
    } else if (!m_tables.empty()) {
        OpenTable& table = m_tables.back();
        if (m_depth == table.cellDepth) {
            closeCell(table);
        } else if (m_depth == table.rowDepth) {
            closeRow(table);
        } else if (m_depth == table.depth) {
            closeRow(table);
            m_tables.pop_back();
        }
    }
    if (m_depth == m_titleDepth)
        m_titleDepth = 0;
    if (m_depth == m_headingDepth)
        m_headingDepth = 0;
    --m_depth;
}

void PageTables::textRun(std::string_view text)
{
    if (m_titleDepth != 0)
        appendRun(m_title, text, LongestCellText);
    if (m_headingDepth != 0)
        appendRun(m_heading, text, LongestCellText);
    if (!m_tables.empty() && m_tables.back().cellDepth != 0) {
        OpenTable& table = m_tables.back();
        if (!table.cellKept)
            return;
        TableRow& row = table.row;
        TableCell& cell = row.cells.back();
        const std::size_t room =
            LongestCellText - std::min<std::size_t>(cell.textEnd - cell.textBegin, LongestCellText);
        if (room == 0)
            return;
        if (cell.textEnd != cell.textBegin)
            row.buffer.push_back('\n');
        row.buffer.append(text.substr(0, room));
        cell.textEnd = static_cast<std::uint32_t>(row.buffer.size());
        return;
    }
    m_content.freeText(text);
}

void PageTables::openRow(OpenTable& table, const TagAttributes* attributes)
{
    table.row.cells.clear();
    table.row.buffer.clear();
    table.row.look.clear();
    table.row.firstCellLook.clear();
    table.row.table = table.number;
    table.row.index = table.rowCount++;
    if (attributes != nullptr)
        table.row.look.takeFrom(*attributes);
    table.rowDepth = m_depth;
    table.column = 0;
}

void PageTables::closeRow(OpenTable& table)
{
    if (table.rowDepth == 0)
        return;
    closeCell(table);
    table.rowDepth = 0;
    m_content.tableRow(table.row, table.look);
}

void PageTables::openCell(OpenTable& table, bool heading, const TagAttributes& attributes)
{
    // A cell outside any row opens a row of its own, as browsers show it.
    if (table.rowDepth == 0)
        openRow(table, nullptr);
    closeCell(table);
    table.cellDepth = m_depth;
    table.cellKept = table.column < KeptRowColumns;
    // Both terms are at most 256, so the sum cannot overflow; a roster uses
    // no column beyond them.
    const int span = spanOf(attributes.value("colspan"));
    const int column = table.column;
    table.column = std::min(column + span, KeptRowColumns);
    if (!table.cellKept)
        return;
    TableRow& row = table.row;
    TableCell cell{column, span, heading};
    cell.classBegin = static_cast<std::uint32_t>(row.buffer.size());
    appendCapped(row.buffer, attributes.value("class"), row.buffer.size() + LongestLookText);
    cell.classEnd = static_cast<std::uint32_t>(row.buffer.size());
    cell.textBegin = cell.textEnd = cell.classEnd;
    row.cells.push_back(cell);
    if (row.cells.size() == 1)
        row.firstCellLook.takeFrom(attributes);
}

void PageTables::closeCell(OpenTable& table)
{
    table.cellDepth = 0;
    table.cellKept = false;
}
