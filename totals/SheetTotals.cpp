#include "SheetTotals.h"

#include <algorithm>

namespace {

// Rows of the player grid: the heading, then players 1 to 16.
constexpr int PlayerCostCol = 15;
constexpr int TreasuryRow = 3;
constexpr int TeamCostRow = 5;
constexpr int DetailsValueCol = 1;
constexpr int ExtrasCountCol = 1;
constexpr int ExtrasPriceCol = 2;
constexpr int ExtrasCostCol = 3;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

SheetCellRef sheetCellOf(MoneyCell cell)
{
    switch (cell.kind) {
    case MoneyCell::Kind::PlayerCost:
        return {SheetGrid::Players, PlayerCostCol, cell.index + 1};
    case MoneyCell::Kind::LineCount:
        return {SheetGrid::Extras, ExtrasCountCol, cell.index};
    case MoneyCell::Kind::LinePrice:
        return {SheetGrid::Extras, ExtrasPriceCol, cell.index};
    case MoneyCell::Kind::LineCost:
        return {SheetGrid::Extras, ExtrasCostCol, cell.index};
    case MoneyCell::Kind::TeamCost:
        return {SheetGrid::Details, DetailsValueCol, TeamCostRow};
    case MoneyCell::Kind::Treasury:
        break;
    }
    return {SheetGrid::Details, DetailsValueCol, TreasuryRow};
}

std::optional<MoneyCell> moneyCellAt(SheetGrid grid, int col, int row)
{
    switch (grid) {
    case SheetGrid::Players:
        if (col == PlayerCostCol && row >= 1 && row <= RosterPlayerCount)
            return MoneyCell{MoneyCell::Kind::PlayerCost, row - 1};
        break;
    case SheetGrid::Details:
        if (col == DetailsValueCol && row == TeamCostRow)
            return MoneyCell{MoneyCell::Kind::TeamCost, 0};
        if (col == DetailsValueCol && row == TreasuryRow)
            return MoneyCell{MoneyCell::Kind::Treasury, 0};
        break;
    case SheetGrid::Extras:
        if (row < 0 || row >= StaffLineCount)
            break;
        if (col == ExtrasCountCol)
            return MoneyCell{MoneyCell::Kind::LineCount, row};
        if (col == ExtrasPriceCol)
            return MoneyCell{MoneyCell::Kind::LinePrice, row};
        if (col == ExtrasCostCol)
            return MoneyCell{MoneyCell::Kind::LineCost, row};
        break;
    case SheetGrid::Matches:
        break;
    }
    return std::nullopt;
}

MoneyTexts moneyTextsOf(const RosterSheet& sheet)
{
    MoneyTexts texts;
    const auto take = [&](MoneyCell cell) {
        const SheetCellRef at = sheetCellOf(cell);
        textOf(texts, cell) = utf8(sheet.cell(at.grid, at.col, at.row));
    };
    for (int player = 0; player < RosterPlayerCount; ++player)
        take({MoneyCell::Kind::PlayerCost, player});
    for (int line = 0; line < StaffLineCount; ++line) {
        take({MoneyCell::Kind::LineCount, line});
        take({MoneyCell::Kind::LinePrice, line});
        take({MoneyCell::Kind::LineCost, line});
    }
    take({MoneyCell::Kind::TeamCost, 0});
    take({MoneyCell::Kind::Treasury, 0});
    return texts;
}

bool rearrangesRoster(const SheetChange& change)
{
    switch (change.kind) {
    case SheetChange::Kind::Replaced:
        return true;
    case SheetChange::Kind::Shape:
    case SheetChange::Kind::ColumnMove:
        return change.grid != SheetGrid::Matches;
    default:
        return false;
    }
}

SheetTotals::SheetTotals(RosterSheet& sheet) : m_sheet(sheet)
{
    m_observer = m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
    restart();
}

SheetTotals::~SheetTotals()
{
    m_sheet.removeObserver(m_observer);
}

QString SheetTotals::markAt(SheetGrid grid, int col, int row) const
{
    const std::optional<MoneyCell> cell = moneyCellAt(grid, col, row);
    if (!cell)
        return {};
    QString reasons;
    for (const MoneyMark& mark : m_marks) {
        if (mark.cell == *cell) {
            if (!reasons.isEmpty())
                reasons += QLatin1Char('\n');
            reasons += QString::fromStdString(mark.reason);
        }
    }
    return reasons;
}

bool SheetTotals::hasMark(SheetGrid grid, int col, int row) const
{
    const std::optional<MoneyCell> cell = moneyCellAt(grid, col, row);
    return cell && std::any_of(m_marks.begin(), m_marks.end(),
                               [&](const MoneyMark& mark) { return mark.cell == *cell; });
}

std::optional<std::string> SheetTotals::costOfTeamText() const
{
    const TeamSum sum = teamSum(m_follower.texts());
    if (!sum.value.isKnown())
        return std::nullopt;
    return formatMoneyLike(sum.value.amount, m_follower.texts().teamCost);
}

bool SheetTotals::updateCostOfTeam()
{
    const std::optional<std::string> text = costOfTeamText();
    if (!text)
        return false;
    const SheetCellRef at = sheetCellOf({MoneyCell::Kind::TeamCost, 0});
    m_sheet.setCell(at.grid, at.col, at.row, QString::fromStdString(*text));
    return true;
}

bool SheetTotals::canUpdateCostOfTeam() const
{
    const std::optional<std::string> text = costOfTeamText();
    return text && *text != m_follower.texts().teamCost;
}

void SheetTotals::sheetChanged(const SheetChange& change)
{
    switch (change.kind) {
    case SheetChange::Kind::Cell: {
        const std::optional<MoneyCell> cell = moneyCellAt(change.grid, change.col, change.row);
        if (!cell)
            return;
        // Undo and redo put back texts together with their follow-up.
        if (change.cause == SheetChange::Cause::Restore) {
            restart();
            return;
        }
        if (!m_ownChanges.empty() && m_ownChanges.front() == std::pair(*cell, change.newText)) {
            m_ownChanges.pop_front();
            return;
        }
        const std::vector<TotalsFollower::Change> followUp = m_follower.edited(*cell, utf8(change.newText));
        for (const auto& [target, text] : followUp) {
            const SheetCellRef at = sheetCellOf(target);
            const QString newText = QString::fromStdString(text);
            m_ownChanges.emplace_back(target, newText);
            m_sheet.setCell(at.grid, at.col, at.row, newText);
            // A cell the sheet does not have takes no text and reports nothing.
            if (!m_ownChanges.empty() && m_ownChanges.back().first == target &&
                m_sheet.cell(at.grid, at.col, at.row) != newText)
                m_ownChanges.pop_back();
        }
        refresh();
        return;
    }
    case SheetChange::Kind::Replaced:
    case SheetChange::Kind::Shape:
    case SheetChange::Kind::ColumnMove:
        // Money cells may have come, gone or moved: start over from the texts.
        if (rearrangesRoster(change))
            restart();
        return;
    case SheetChange::Kind::ColumnWidth:
    case SheetChange::Kind::Color:
    case SheetChange::Kind::Font:
    case SheetChange::Kind::Encoding:
        return;
    }
}

void SheetTotals::restart()
{
    m_ownChanges.clear();
    m_follower.reset(moneyTextsOf(m_sheet));
    refresh();
}

void SheetTotals::refresh()
{
    m_marks = moneyMarks(m_follower.texts());
    m_status = QString::fromStdString(teamValueStatus(m_follower.texts()));
    if (m_updated)
        m_updated();
}
