#include "TotalsFollower.h"

namespace {

bool holdsAmount(const std::string& text)
{
    return parseMoney(text).isKnown();
}

} // namespace

void TotalsFollower::reset(const MoneyTexts& texts)
{
    m_texts = texts;
    for (int index = 0; index < StaffLineCount; ++index) {
        const StaffLineTexts& line = m_texts.lines[static_cast<std::size_t>(index)];
        m_lineStyles[static_cast<std::size_t>(index)] = moneyStyleOf(line.cost);
        // Until its parts can be read, a line follows only from a cost that
        // was plainly worked out.
        m_lineFollows[static_cast<std::size_t>(index)] = false;
        judgeLine(index);
    }
    m_totalStyle = moneyStyleOf(m_texts.teamCost);
    m_totalFollows = parseMoney(m_texts.teamCost).isBlank();
    judgeTotal();
}

std::vector<TotalsFollower::Change> TotalsFollower::edited(MoneyCell cell, const std::string& newText)
{
    std::vector<Change> changes;
    textOf(m_texts, cell) = newText;
    switch (cell.kind) {
    case MoneyCell::Kind::LineCount:
    case MoneyCell::Kind::LinePrice:
        followLine(cell.index, changes);
        break;
    case MoneyCell::Kind::LineCost:
        // The user's own cost sets the look of the costs worked out later.
        if (holdsAmount(newText))
            m_lineStyles[static_cast<std::size_t>(cell.index)] = moneyStyleOf(newText);
        m_lineFollows[static_cast<std::size_t>(cell.index)] = false;
        judgeLine(cell.index);
        break;
    case MoneyCell::Kind::TeamCost:
        if (holdsAmount(newText))
            m_totalStyle = moneyStyleOf(newText);
        m_totalFollows = false;
        judgeTotal();
        return changes;
    case MoneyCell::Kind::PlayerCost:
    case MoneyCell::Kind::Treasury:
        break;
    }
    if (cell.kind != MoneyCell::Kind::Treasury)
        followTotal(changes);
    return changes;
}

void TotalsFollower::write(MoneyCell cell, std::string text, std::vector<Change>& changes)
{
    std::string& current = textOf(m_texts, cell);
    if (current == text)
        return;
    current = text;
    changes.emplace_back(cell, std::move(text));
}

void TotalsFollower::followLine(int index, std::vector<Change>& changes)
{
    const auto at = static_cast<std::size_t>(index);
    const Money expected = lineExpectedCost(m_texts.lines[at]);
    if (m_lineFollows[at] && expected.isKnown()) {
        // A line that costs nothing shows no cost, as a roster shows it from the start.
        write({MoneyCell::Kind::LineCost, index},
              expected.amount == 0 ? std::string() : formatMoney(expected.amount, m_lineStyles[at]), changes);
    }
    judgeLine(index);
}

void TotalsFollower::followTotal(std::vector<Change>& changes)
{
    const TeamSum sum = teamSum(m_texts);
    if (m_totalFollows && sum.value.isKnown())
        write({MoneyCell::Kind::TeamCost, 0}, formatMoney(sum.value.amount, m_totalStyle), changes);
    judgeTotal();
}

void TotalsFollower::judgeLine(int index)
{
    const auto at = static_cast<std::size_t>(index);
    const StaffLineTexts& line = m_texts.lines[at];
    // With a part unreadable a typed cost cannot be judged: the line keeps
    // following, or not, as it did.
    const auto which = static_cast<StaffLine>(index);
    if (parseMoney(line.cost).isBlank() || line.cost == derivedCostText(which, line.count))
        m_lineFollows[at] = true;
    else if (lineExpectedCost(line).isKnown())
        m_lineFollows[at] = lineCostIsWorkedOut(which, line);
}

void TotalsFollower::judgeTotal()
{
    const TeamSum sum = teamSum(m_texts);
    if (parseMoney(m_texts.teamCost).isBlank())
        m_totalFollows = true;
    else if (sum.value.isKnown())
        m_totalFollows = totalAgreement(m_texts, sum) == Agreement::Agrees;
}
