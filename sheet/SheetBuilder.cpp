#include "SheetBuilder.h"

#include "MatchRecordRules.h"

#include <cstdint>

namespace {

constexpr int MaxFaceNameLength = 31;

// The cost a count stands for when the page gave no cost text: ten thousand a head.
QString countedCost(std::int32_t count)
{
    if (count <= 0)
        return {};
    return QString::number(std::int64_t(count) * 10) + QLatin1Char('k');
}

QString flagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

void setRow(RosterSheet& sheet, SheetGrid grid, int row, std::initializer_list<QString> texts)
{
    int col = 0;
    for (const QString& text : texts)
        sheet.setCell(grid, col++, row, text);
}

} // namespace

void putTeam(RosterSheet& sheet, const TTeam& team)
{
    const TextEncoding encoding = sheet.encoding();
    const auto text = [encoding](const std::string& bytes) { return decodeText(bytes, encoding); };
    // A cost text the page gave is shown as it stands; otherwise the count or
    // flag gives one.
    const auto costText = [&text](const std::string& given, const QString& derived) {
        return given.empty() ? derived : text(given);
    };

    const SheetGrid details = SheetGrid::Details;
    setRow(sheet, details, 0, {QStringLiteral("Team Name:"), text(team.TeamName)});
    setRow(sheet, details, 1, {QStringLiteral("Race:"), text(team.Race)});
    setRow(sheet, details, 2, {QStringLiteral("Team Rating:"), QString::number(team.TeamRating)});
    setRow(sheet, details, 3, {QStringLiteral("Treasury:"), text(team.Treasury)});
    setRow(sheet, details, 4, {QStringLiteral("Coach:"), text(team.Coach)});
    setRow(sheet, details, 5, {QStringLiteral("Cost of Team:"), text(team.TeamCost)});

    const SheetGrid extras = SheetGrid::Extras;
    setRow(sheet, extras, 0,
           {QStringLiteral("Re-Rolls:"), QString::number(team.ReRolls), text(team.ReRollPriceText),
            text(team.ReRollCostText)});
    setRow(sheet, extras, 1,
           {QStringLiteral("Fan Factor:"), QString::number(team.FanFactor), text(team.FanFactorPriceText),
            costText(team.FanFactorCostText, countedCost(team.FanFactor))});
    setRow(sheet, extras, 2,
           {QStringLiteral("Assistant Coaches:"), QString::number(team.AssistantCoaches),
            text(team.AssistantCoachPriceText),
            costText(team.AssistantCoachCostText, countedCost(team.AssistantCoaches))});
    setRow(sheet, extras, 3,
           {QStringLiteral("Cheerleaders:"), QString::number(team.Cheerleaders),
            text(team.CheerleaderPriceText),
            costText(team.CheerleaderCostText, countedCost(team.Cheerleaders))});
    setRow(sheet, extras, 4,
           {QStringLiteral("Apothecary:"), flagText(team.HasApothecary), text(team.ApothecaryPriceText),
            costText(team.ApothecaryCostText, team.HasApothecary ? QStringLiteral("50k") : QString())});
    setRow(sheet, extras, 5,
           {QStringLiteral("Team Wizard:"), flagText(team.HasWizard), text(team.WizardPriceText),
            costText(team.WizardCostText, team.HasWizard ? QStringLiteral("150k") : QString())});

    const SheetGrid players = SheetGrid::Players;
    const char* const headings[] = {"#",   "Player Name", "Position", "MA",  "ST",  "AG",  "AV",  "Skills",
                                    "inj", "cmp",         "td",       "int", "cas", "mvp", "spp", "Cost"};
    for (int col = 0; col < 16; ++col)
        sheet.setCell(players, col, 0, QString::fromLatin1(headings[col]));
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        const TPlayer& player = team.Players[slot];
        // An empty slot shows its texts but none of its numbers.
        const auto number = [&player](std::int32_t value) {
            return player.isEmpty() ? QString() : QString::number(value);
        };
        setRow(sheet, players, slot,
               {QString::number(slot), text(player.PlayerName), text(player.Position), number(player.MA),
                number(player.ST), number(player.AG), number(player.AV), text(player.Skills),
                text(player.Injuries), number(player.Completions), number(player.Touchdowns),
                number(player.Interceptions), number(player.Casualties), number(player.MVPs),
                number(player.SPP), text(player.PlayerCost)});
    }

    sheet.setColor(SheetColor::Window, team.BackgroundColor);
    sheet.setColor(SheetColor::Table, team.TableColor);
    sheet.setColor(SheetColor::Headings, team.HeadingsColor);
    // Only the face and the colour come from the record; a page without a
    // face keeps the one shown.
    const auto face = [&](const std::string& given, SheetFont which) {
        return given.empty() ? sheet.fontName(which) : text(given).left(MaxFaceNameLength);
    };
    sheet.setFont(SheetFont::Table, face(team.TableFontName, SheetFont::Table), team.TableFontColor);
    sheet.setFont(SheetFont::Heading, face(team.HeadingFontName, SheetFont::Heading), team.HeadingFontColor);
}

void putMatchRecord(RosterSheet& sheet, const MatchRecord& record, TextEncoding encoding)
{
    const SheetGrid matches = SheetGrid::Matches;
    // Only the cells a row stores are visited: a record can have thousands
    // of columns over many rows that are empty.
    const SheetTable& table = sheet.table(matches);
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int col = table.storedCellCount(row) - 1; col >= 0; --col) {
            if (!table.cell(col, row).isEmpty())
                sheet.setCell(matches, col, row, QString());
        }
    }
    sheet.setShape(matches, {record.ColCount, record.RowCount, record.FixedRows, 0});
    const std::size_t rows = std::min(record.Cells.size(), std::size_t(std::max(record.RowCount, 0)));
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<std::string>& cells = record.Cells[row];
        const std::size_t cols = std::min(cells.size(), std::size_t(std::max(record.ColCount, 0)));
        for (std::size_t col = 0; col < cols; ++col) {
            if (!cells[col].empty())
                sheet.setCell(matches, int(col), int(row), decodeText(cells[col], encoding));
        }
    }
    if (record.Height)
        sheet.setMatchGridHeight(record.Height);
}

void putReadPage(RosterSheet& sheet, const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    sheet.setEncoding(encoding);
    putMatchRecord(sheet, record, encoding);
    putTeam(sheet, team);
}

void putNewTeam(RosterSheet& sheet)
{
    TTeam team;
    resetToNewTeam(team);
    MatchRecord record = defaultMatchRecord();
    record.Height = matchGridHeight(record.RowCount);
    putReadPage(sheet, team, record, TextEncoding::Utf8);
}

RosterSheet buildSheet(const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    RosterSheet sheet;
    putReadPage(sheet, team, record, encoding);
    return sheet;
}

RosterSheet buildNewTeamSheet()
{
    RosterSheet sheet;
    putNewTeam(sheet);
    return sheet;
}
