#include "RosterOffers.h"

#include "RosterRows.h"
#include "SheetTotals.h"

#include <algorithm>

namespace {

constexpr int FirstPlayerCol = 1; // column 0 numbers the slots

bool isBlank(const QString& text)
{
    return QStringView(text).trimmed().isEmpty();
}

} // namespace

std::vector<PositionOffer> positionOffers(const RaceRules& race, const RosterSheet& sheet, int exceptSlot)
{
    std::vector<PositionOffer> offers;
    for (const PositionRules& position : race.positions)
        offers.push_back({&position, 0});
    for (const PlayerRow& row : playerRows(sheet)) {
        if (row.slot == exceptSlot)
            continue;
        for (PositionOffer& offer : offers) {
            if (sameName(offer.position->title, row.position)) {
                ++offer.fielded;
                break;
            }
        }
    }
    return offers;
}

QString positionOfferText(const PositionOffer& offer)
{
    return QStringLiteral("%1, %2, %3 of %4 left")
        .arg(offer.position->title, moneyTextLike(offer.position->cost), QString::number(offer.left()),
             QString::number(offer.position->most));
}

bool isEmptySlot(const RosterSheet& sheet, int slot)
{
    const SheetTable& players = sheet.table(SheetGrid::Players);
    for (int col = FirstPlayerCol; col < players.colCount(); ++col) {
        if (!isBlank(players.cell(col, slot)))
            return false;
    }
    return true;
}

std::optional<int> firstEmptySlot(const RosterSheet& sheet)
{
    const int lastSlot = std::min(RosterPlayerCount, sheet.table(SheetGrid::Players).rowCount() - 1);
    for (int slot = 1; slot <= lastSlot; ++slot) {
        if (isEmptySlot(sheet, slot))
            return slot;
    }
    return std::nullopt;
}

bool hasNoProfile(const RosterSheet& sheet, int slot)
{
    const SheetTable& players = sheet.table(SheetGrid::Players);
    for (int i = 0; i < CharacteristicCount; ++i) {
        if (!isBlank(players.cell(RosterCols::FirstCharacteristic + i, slot)))
            return false;
    }
    return isBlank(players.cell(RosterCols::Skills, slot)) && isBlank(players.cell(RosterCols::Cost, slot));
}

PlayerCells newPlayerCells(const PositionRules& position, const QString& moneyLook)
{
    PlayerCells cells;
    const auto at = [&cells](int col) -> QString& { return cells[std::size_t(col - RosterCols::Position)]; };
    at(RosterCols::Position) = position.title;
    for (int i = 0; i < CharacteristicCount; ++i)
        at(RosterCols::FirstCharacteristic + i) = QString::number(position.profile[std::size_t(i)]);
    at(RosterCols::Skills) = position.startingSkills.join(QStringLiteral(", "));
    at(RosterCols::Cost) = moneyTextLike(position.cost, moneyLook);
    return cells;
}

QString moneyLookOf(const RosterSheet& sheet)
{
    const auto readable = [](const QString& text) { return parseMoney(text.toStdString()).isKnown(); };
    for (int slot = 1; slot <= RosterPlayerCount; ++slot) {
        const QString& cost = sheet.cell(SheetGrid::Players, RosterCols::Cost, slot);
        if (readable(cost))
            return cost;
    }
    for (const MoneyCell cell :
         {MoneyCell{MoneyCell::Kind::TeamCost, 0}, MoneyCell{MoneyCell::Kind::Treasury, 0}}) {
        const SheetCellRef ref = sheetCellOf(cell);
        const QString& text = sheet.cell(ref.grid, ref.col, ref.row);
        if (readable(text))
            return text;
    }
    return {};
}

QString withSkillAdded(const QString& skills, const QString& skill)
{
    QString kept = skills.trimmed();
    while (kept.endsWith(QLatin1Char(',')) || kept.endsWith(QLatin1Char(';')))
        kept = kept.chopped(1).trimmed();
    return kept.isEmpty() ? skill : kept + QStringLiteral(", ") + skill;
}

QString moneyTextLike(GoldPieces amount, const QString& look)
{
    return QString::fromStdString(formatMoneyLike(amount, look.toStdString()));
}

std::optional<QString> moneyPlus(const QString& text, GoldPieces added)
{
    const Money money = parseMoney(text.toStdString());
    if (!money.isKnown() || money.amount + added < 0 || money.amount + added > MaxExactGoldPieces)
        return std::nullopt;
    return moneyTextLike(money.amount + added, text);
}
