#include "RosterRows.h"

#include "TeamValue.h"

std::optional<int> cellNumber(const QString& text, std::optional<int> blankValue)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.isEmpty())
        return blankValue;
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::vector<PlayerRow> playerRows(const RosterSheet& sheet)
{
    std::vector<PlayerRow> rows;
    const SheetTable& players = sheet.table(SheetGrid::Players);
    for (int slot = 1; slot <= RosterPlayerCount; ++slot) {
        const QString& ma = players.cell(RosterCols::FirstCharacteristic, slot);
        const QString& position = players.cell(RosterCols::Position, slot);
        const bool maBlank = QStringView(ma).trimmed().isEmpty();
        if (maBlank ? QStringView(position).trimmed().isEmpty() : cellNumber(ma, {}) == 0)
            continue;
        PlayerRow row;
        row.slot = slot;
        row.position = position.trimmed();
        for (int i = 0; i < CharacteristicCount; ++i)
            row.characteristics[std::size_t(i)] =
                cellNumber(players.cell(RosterCols::FirstCharacteristic + i, slot), std::nullopt);
        row.skills = players.cell(RosterCols::Skills, slot);
        row.injuries = players.cell(RosterCols::Injuries, slot);
        row.spp = cellNumber(players.cell(RosterCols::Spp, slot), 0);
        row.cost = players.cell(RosterCols::Cost, slot);
        rows.push_back(std::move(row));
    }
    return rows;
}

QString raceOf(const RosterSheet& sheet)
{
    return sheet.cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::Race).trimmed();
}
