#include "RosterCsv.h"

#include "PageStore.h"
#include "TTeam.h"

#include <array>

namespace {

constexpr int playerColumns = 16;

// Spreadsheet-friendly names for the columns the grid heads with short ones.
const QStringList playerHeadings = {
    "#",           "Player Name", "Position",      "MA",         "ST",   "AG",  "AV",   "Skills", "Injuries",
    "Completions", "Touchdowns",  "Interceptions", "Casualties", "MVPs", "SPP", "Cost",
};

const std::array<QString, 6> detailNames = {"Team Name", "Race",  "Team Rating",
                                            "Treasury",  "Coach", "Cost of Team"};
const std::array<QString, 6> extraNames = {"Re-Rolls",     "Fan Factor", "Assistant Coaches",
                                           "Cheerleaders", "Apothecary", "Team Wizard"};

// An optional sign, digits and at most one decimal point among them.
bool isPlainNumber(QStringView text)
{
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+'))
        text = text.mid(1);
    bool anyDigit = false;
    bool point = false;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 0x80)
            anyDigit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return anyDigit;
}

// A spreadsheet runs a cell that starts with one of these as a formula. A
// text that starts so after apostrophes gets one more too, so that the
// apostrophe a reader takes away gives back the cell as it was.
bool runsAsFormula(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u'\'')
        ++start;
    if (start == text.size() || !QStringView(u"=+-@\t\r").contains(text[start]))
        return false;
    return !isPlainNumber(QStringView(text).mid(start));
}

void appendField(std::string& csv, const QString& text)
{
    const std::string bytes = runsAsFormula(text) ? "'" + text.toStdString() : text.toStdString();
    if (bytes.find_first_of(",\"\r\n") == std::string::npos) {
        csv += bytes;
        return;
    }
    csv += '"';
    for (const char c : bytes) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

void appendRecord(std::string& csv, const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            csv += ',';
        appendField(csv, fields[i]);
    }
    csv += "\r\n";
}

} // namespace

RosterTexts rosterTexts(const RosterSheet& sheet)
{
    RosterTexts texts;
    texts.playerHeadings = playerHeadings;
    for (int row = 1; row <= PlayerSlotCount; ++row) {
        QStringList slot;
        for (int col = 0; col < playerColumns; ++col)
            slot.push_back(sheet.cell(SheetGrid::Players, col, row));
        texts.players.push_back(slot);
    }
    for (std::size_t row = 0; row < detailNames.size(); ++row)
        texts.teamFields.emplace_back(detailNames[row],
                                      sheet.cell(SheetGrid::Details, 1, static_cast<int>(row)));
    for (std::size_t row = 0; row < extraNames.size(); ++row) {
        const int gridRow = static_cast<int>(row);
        texts.teamFields.emplace_back(extraNames[row], sheet.cell(SheetGrid::Extras, 1, gridRow));
        texts.teamFields.emplace_back(extraNames[row] + " Price", sheet.cell(SheetGrid::Extras, 2, gridRow));
        texts.teamFields.emplace_back(extraNames[row] + " Cost", sheet.cell(SheetGrid::Extras, 3, gridRow));
    }
    return texts;
}

std::string rosterCsv(const RosterTexts& texts)
{
    std::string csv = "\xEF\xBB\xBF";
    appendRecord(csv, texts.playerHeadings);
    for (const QStringList& slot : texts.players)
        appendRecord(csv, slot);
    csv += "\r\n";
    appendRecord(csv, {"Field", "Value"});
    for (const auto& [name, value] : texts.teamFields)
        appendRecord(csv, {name, value});
    return csv;
}

void storeRosterCsv(const RosterSheet& sheet, const QString& fileName)
{
    storeFile(rosterCsv(rosterTexts(sheet)), fileName);
}
