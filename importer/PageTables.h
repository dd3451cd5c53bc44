#pragma once

#include "HtmlStream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the importer keeps of a page, whatever its size: no row holds more
// than these, and tables nested deeper count as part of the cell around them.
constexpr int WidestCellSpan = 256;
constexpr int KeptRowColumns = 256;
constexpr std::size_t LongestCellText = 4096;
constexpr std::size_t LongestLookText = 256;
constexpr std::size_t DeepestTable = 32;

// The colour and font attributes of an element, as the page writes them.
struct ElementLook
{
    std::string bgcolor;
    std::string text;
    std::string style;

    void takeFrom(const TagAttributes& attributes);
    void clear();
};

struct TableCell
{
    int column = 0;
    int span = 1;
    bool heading = false;
    std::uint32_t textBegin = 0;
    std::uint32_t textEnd = 0;
    std::uint32_t classBegin = 0;
    std::uint32_t classEnd = 0;
};

// One row of a table: its cells at the columns they take, spans counted, with
// the texts of all of them in one buffer.
struct TableRow
{
    int table = 0; // tables are numbered in the order they start
    int index = 0; // the row's place in its table
    std::vector<TableCell> cells;
    std::string buffer;
    ElementLook look;
    ElementLook firstCellLook;

    // The cell's visible texts, one per run of text between tags, separated by
    // "\n" (which a run never holds).
    std::string_view runsOf(const TableCell& cell) const;
    // The runs joined by blanks.
    std::string textOf(const TableCell& cell) const;
    std::string_view classesOf(const TableCell& cell) const;
};

// Receives the rows of every table as each ends and the texts outside any
// table cell as they come, in the order a reader sees them.
class PageContent
{
public:
    virtual ~PageContent() = default;
    virtual void tableRow(const TableRow& row, const ElementLook& table) = 0;
    virtual void freeText(std::string_view text) = 0;
};

// Streams a page into its table rows and free texts and keeps the few things
// a page states once: its title, first heading and body look.
class PageTables : private HtmlEvents
{
public:
    explicit PageTables(PageContent& content) : m_content(content) {}

    void read(std::string_view bytes) { streamHtml(bytes, *this); }

    const std::string& title() const { return m_title; }
    const std::string& firstHeading() const { return m_heading; }
    const ElementLook& bodyLook() const { return m_body; }

private:
    struct OpenTable
    {
        int number = 0;
        std::size_t depth = 0;
        ElementLook look;
        int rowCount = 0;
        TableRow row;
        std::size_t rowDepth = 0; // 0 while no row is open
        std::size_t cellDepth = 0;
        bool cellKept = false;
        int column = 0;
    };

    void startElement(std::string_view name, const TagAttributes& attributes) override;
    void endElement(std::string_view name) override;
    void textRun(std::string_view text) override;

    void openRow(OpenTable& table, const TagAttributes* attributes);
    void closeRow(OpenTable& table);
    void openCell(OpenTable& table, bool heading, const TagAttributes& attributes);
    void closeCell(OpenTable& table);

    PageContent& m_content;
    std::vector<OpenTable> m_tables;
    std::size_t m_untrackedTables = 0;
    int m_tableCount = 0;
    std::size_t m_depth = 0;
    std::size_t m_titleDepth = 0;
    std::size_t m_headingDepth = 0;
    bool m_headingSeen = false;
    std::string m_title;
    std::string m_heading;
    ElementLook m_body;
};
