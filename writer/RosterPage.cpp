#include "RosterPage.h"

#include "ColorText.h"

#include <algorithm>

namespace {

const QString nbsp = QStringLiteral("&nbsp");

// An empty cell shows as a blank in the page.
QString textOrBlank(const QString& text)
{
    return text.isEmpty() ? nbsp : text;
}

// Player cells also blank out a lone "0", so zero statistics stay quiet.
const QString& textOrBlankForZero(const QString& text)
{
    return text.isEmpty() || text == u"0" ? nbsp : text;
}

// The first credit line: it tells this program's pages from other tools'.
constexpr std::string_view CreatedBy = "This file created by Skarn Team Editor";

// The page opens with a comment block of four 60-character lines.
QString creditLine(const QString& text)
{
    return "<!-- " + text.leftJustified(51, u' ') + "--!>";
}

QString htmlColor(TColor color)
{
    return QString::fromLatin1(ColorToHTML(color));
}

// The opening tag of player table column c: the texts are aligned left, the
// cost right, the numbers centred by the row.
QLatin1StringView playerCellTag(int col)
{
    switch (col) {
    case 1:
    case 2:
    case 7:
        return QLatin1StringView("<TD ALIGN=LEFT>");
    case 15:
        return QLatin1StringView("<TD ALIGN=RIGHT>");
    default:
        return QLatin1StringView("<TD>");
    }
}

constexpr int playerColumns = 16;
constexpr int staffRows = 5;
constexpr int wizardGridRow = 5;   // of the extras grid
constexpr int teamCostGridRow = 5; // of the team-details grid

class RosterPageWriter
{
public:
    explicit RosterPageWriter(const RosterSheet& sheet)
        : m_sheet(sheet), m_tableColor(htmlColor(sheet.color(SheetColor::Table))),
          m_headingsColor(htmlColor(sheet.color(SheetColor::Headings)))
    {
    }

    // The lines of the page, its head line naming the character set of encoding.
    std::vector<QString> lines(TextEncoding encoding) const;
    // The head line: the page names its character set, so that a web server
    // that sends none does not leave a browser to guess it.
    QString headLine(TextEncoding encoding) const;

private:
    const QString& detail(int col, int row) const { return m_sheet.cell(SheetGrid::Details, col, row); }
    const QString& extra(int col, int row) const { return m_sheet.cell(SheetGrid::Extras, col, row); }

    QString bodyLine() const;
    QString headingFontLine() const;
    QString tableLine() const;
    QString tableFontLine() const;
    QString playerHeadingRow() const;
    QString playerRow(int row) const;
    QString extrasCells(int row) const;
    QString staffRow(int row) const;
    QString wizardRow() const;
    QString totalRow() const;
    QString matchHeadingRow() const;
    void appendMatchRows(std::vector<QString>& page) const;

    const RosterSheet& m_sheet;
    QString m_tableColor;
    QString m_headingsColor;
};

// The page is read line by line: a line break pasted into a cell would split
// its row in two, so it is written as a blank.
QString withoutLineBreaks(QString line)
{
    line.replace(QChar('\r'), QChar(' '));
    line.replace(QChar('\n'), QChar(' '));
    return line;
}

constexpr std::size_t headLineIndex = 4;

QString RosterPageWriter::headLine(TextEncoding encoding) const
{
    const QLatin1StringView charset(encoding == TextEncoding::Latin1 ? "ISO-8859-1" : "UTF-8");
    return withoutLineBreaks("<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=" +
                             charset + "\"><TITLE>" + detail(1, 0) + "</TITLE></HEAD>");
}

std::vector<QString> RosterPageWriter::lines(TextEncoding encoding) const
{
    const QString teamName = detail(1, 0);
    std::vector<QString> page;
    page.reserve(64);
    page.push_back(creditLine(QString::fromLatin1(CreatedBy)));
    page.push_back(creditLine(QStringLiteral("Version 0.02, July 1997, by the Team Editor authors")));
    page.push_back(creditLine(QStringLiteral("Get your free copy at:")));
    page.push_back(creditLine(QStringLiteral("http://www.example.org/team-editor/")));
    page.push_back(headLine(encoding));
    page.push_back(bodyLine());
    page.push_back(headingFontLine());
    page.push_back("<H1><B>" + teamName + "</B></H1>");
    page.push_back("Race: " + detail(1, 1) + "<BR>");
    page.push_back("Coached By: " + detail(1, 4) + "<BR></FONT>");
    page.push_back(tableLine());
    page.push_back(tableFontLine());
    page.push_back(playerHeadingRow());
    for (int row = 1; row <= PlayerSlotCount; ++row)
        page.push_back(playerRow(row));
    page.push_back(QStringLiteral("<TR><TD></TD></TR><TR><TD></TD></TR>"));
    for (int row = 0; row < staffRows; ++row)
        page.push_back(staffRow(row));
    page.push_back(wizardRow());
    page.push_back(totalRow());
    page.push_back(QStringLiteral("</TABLE>"));
    page.push_back(headingFontLine());
    page.push_back(QStringLiteral("<P><P>Match Record<P></FONT>"));
    page.push_back(tableLine());
    page.push_back(tableFontLine());
    page.push_back(matchHeadingRow());
    appendMatchRows(page);
    page.push_back(QStringLiteral("</TABLE></BODY></HTML>"));
    for (QString& line : page)
        line = withoutLineBreaks(std::move(line));
    return page;
}

QString RosterPageWriter::bodyLine() const
{
    const QString text = htmlColor(m_sheet.color(SheetColor::TableFont));
    return "<BODY BGCOLOR=\"#" + htmlColor(m_sheet.color(SheetColor::Window)) + "\" TEXT=\"#" + text +
           "\" LINK=\"#" + text + "\" VLINK=\"#" + text + "\">";
}

QString RosterPageWriter::headingFontLine() const
{
    return "<CENTER><FONT FACE=\"" + m_sheet.fontName(SheetFont::Heading) + "\" SIZE=4 COLOR=\"#" +
           htmlColor(m_sheet.fontColor(SheetFont::Heading)) + "\">";
}

QString RosterPageWriter::tableLine() const
{
    const std::string table = m_tableColor.toStdString();
    return "<TABLE BORDER=1 BGCOLOR=\"#" + m_tableColor + "\" BORDERCOLORLIGHT=\"#" +
           QString::fromLatin1(LightBorder(table)) + "\" BORDERCOLORDARK=\"#" +
           QString::fromLatin1(DarkBorder(table)) + "\">";
}

QString RosterPageWriter::tableFontLine() const
{
    return "<FONT FACE=\"" + m_sheet.fontName(SheetFont::Table) + "\">";
}

QString RosterPageWriter::playerHeadingRow() const
{
    return "<TR BGCOLOR=\"#" + m_headingsColor +
           "\"><TH>#</TH><TH>Player Name</TH><TH>Position</TH><TH>ma</TH><TH>st</TH><TH>ag</TH>"
           "<TH>av</TH><TH>Player Skills</TH><TH>ij</TH><TH>cp</TH><TH>td</TH><TH>in</TH><TH>cs</TH>"
           "<TH>vp</TH><TH>sp</TH><TH>Cost</TH></TR>";
}

QString RosterPageWriter::playerRow(int row) const
{
    QString line;
    line.reserve(512);
    line += QLatin1StringView("<TR ALIGN=CENTER>");
    for (int col = 0; col < playerColumns; ++col) {
        line += playerCellTag(col);
        line += textOrBlankForZero(m_sheet.cell(SheetGrid::Players, col, row));
        line += QLatin1StringView("</TD>");
    }
    line += QLatin1StringView("</TR>");
    return line;
}

// The right half of a staff or wizard row: label, count, price and cost.
QString RosterPageWriter::extrasCells(int row) const
{
    return "<TD ALIGN=RIGHT BGCOLOR=\"#" + m_headingsColor + "\" COLSPAN=2>" + extra(0, row) +
           "</TD><TD COLSPAN=2>" + textOrBlank(extra(1, row)) + "</TD><TD BGCOLOR=\"#" + m_headingsColor +
           "\" COLSPAN=4>" + textOrBlank(extra(2, row)) + "</TD><TD ALIGN=RIGHT>" +
           textOrBlank(extra(3, row)) + "</TD></TR>";
}

QString RosterPageWriter::staffRow(int row) const
{
    return "<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR=\"#" + m_headingsColor + "\" COLSPAN=2>" +
           detail(0, row) + "</TD><TD COLSPAN=5>" + textOrBlank(detail(1, row)) + "</TD>" + extrasCells(row);
}

QString RosterPageWriter::wizardRow() const
{
    return "<TR ALIGN=CENTER><TD COLSPAN=7 ROWSPAN=2>&nbsp</TD>" + extrasCells(wizardGridRow);
}

QString RosterPageWriter::totalRow() const
{
    return "<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR=\"#" + m_headingsColor +
           "\" COLSPAN=8>TOTAL COST OF TEAM:</TD><TD ALIGN=RIGHT>" + textOrBlank(detail(1, teamCostGridRow)) +
           "</TD></TR>";
}

QString RosterPageWriter::matchHeadingRow() const
{
    const SheetTable& games = m_sheet.table(SheetGrid::Matches);
    QString line = "<TR BGCOLOR=\"#" + m_headingsColor + "\" ALIGN=CENTER>";
    for (int col = 0; col < games.colCount(); ++col)
        line += "<TH>" + games.cell(col, 0) + "</TH>";
    return line + "</TR>";
}

// Rows whose cells are all empty (such as the row kept free for the next
// match) are left out.
void RosterPageWriter::appendMatchRows(std::vector<QString>& page) const
{
    const SheetTable& games = m_sheet.table(SheetGrid::Matches);
    for (int row = 1; row < games.rowCount(); ++row) {
        if (games.storedCellCount(row) == 0)
            continue;
        bool anyText = false;
        QString line = QStringLiteral("<TR ALIGN=CENTER>");
        for (int col = 0; col < games.colCount(); ++col) {
            const QString& text = games.cell(col, row);
            anyText = anyText || !text.isEmpty();
            line += "<TD>" + textOrBlank(text) + "</TD>";
        }
        if (anyText)
            page.push_back(line + "</TR>");
    }
}

bool fitsLatin1(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

std::vector<std::string> encodeLines(const std::vector<QString>& lines, TextEncoding encoding)
{
    std::vector<std::string> bytes;
    bytes.reserve(lines.size());
    for (const QString& line : lines)
        bytes.push_back(encodeText(line, encoding));
    return bytes;
}

// A reader judges the encoding on the whole file, so a Latin-1 page is kept in
// Latin-1 only when it can hold every text and its bytes are not also valid
// UTF-8; otherwise the texts would come back changed. UTF-8 always can.
std::vector<std::string> encodePage(const RosterPageWriter& writer, TextEncoding encoding)
{
    std::vector<QString> lines = writer.lines(encoding);
    if (encoding == TextEncoding::Latin1 && std::all_of(lines.begin(), lines.end(), fitsLatin1)) {
        std::vector<std::string> latin1 = encodeLines(lines, TextEncoding::Latin1);
        const bool readsAsLatin1 = std::any_of(latin1.begin(), latin1.end(), [](const std::string& line) {
            return detectEncoding(line) == TextEncoding::Latin1;
        });
        if (readsAsLatin1)
            return latin1;
    }
    if (encoding != TextEncoding::Utf8)
        lines[headLineIndex] = writer.headLine(TextEncoding::Utf8);
    return encodeLines(lines, TextEncoding::Utf8);
}

} // namespace

std::vector<std::string> buildRosterPage(const RosterSheet& sheet)
{
    return encodePage(RosterPageWriter(sheet), sheet.encoding());
}

bool isOwnPageStart(std::string_view firstLine)
{
    return firstLine.starts_with("<!-- ") && firstLine.substr(5).starts_with(CreatedBy);
}
