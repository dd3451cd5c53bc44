#include "TeamRows.h"

#include "ColumnHeadings.h"

#include <algorithm>

namespace {

// A role names a staff line; "Coach:" labels a field beside it instead.
std::optional<TeamLabel> staffFieldOf(std::string_view text)
{
    using enum TeamLabel;
    if (text.find(':') != std::string_view::npos)
        return std::nullopt;
    static constexpr std::pair<std::string_view, TeamLabel> roles[] = {
        {"headcoach", Coach},
        {"coach", Coach},
        {"assistantcoach", AssistantCoaches},
        {"assistantcoaches", AssistantCoaches},
        {"asstcoach", AssistantCoaches},
        {"asstcoaches", AssistantCoaches},
        {"cheerleader", Cheerleaders},
        {"cheerleaders", Cheerleaders},
        {"apothecary", Apothecary},
        {"apothecaries", Apothecary},
        {"wizard", Wizard},
        {"wizards", Wizard},
    };
    return meaningOf(roles, normalisedWord(text));
}

bool isTotal(std::string_view text)
{
    static constexpr std::pair<std::string_view, bool> totals[] = {
        {"total", true},      {"totals", true},    {"teamtotal", true},        {"totalvalue", true},
        {"teamvalue", true},  {"tv", true},        {"totalteamvalue", true},   {"teamcost", true},
        {"costofteam", true}, {"totalcost", true}, {"currentteamvalue", true},
    };
    return meaningOf(totals, normalisedWord(withoutBrackets(text))).has_value();
}

std::string textAt(const TableRow& row, const ColumnMap& columns, RosterColumn column)
{
    const TableCell* cell = cellOfColumn(row, columns, column);
    return cell == nullptr ? std::string() : row.textOf(*cell);
}

bool isBareNumber(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<StaffLine> staffLineOfRow(const TableRow& row, const ColumnMap& columns)
{
    const std::string name = textAt(row, columns, RosterColumn::Name);
    const std::string position = textAt(row, columns, RosterColumn::Position);
    std::optional<TeamLabel> field = staffFieldOf(position);
    std::string named = field ? name : std::string();
    if (!field)
        field = staffFieldOf(name);
    if (!field)
        return std::nullopt;
    StaffLine line{*field, 1, named, {}};
    const std::string cost = textAt(row, columns, RosterColumn::Value);
    if (isPageMoney(cost))
        line.cost = cost;
    // A count in any cell that is not the number, the name, the role or the cost.
    for (const TableCell& cell : row.cells) {
        const bool ownColumn =
            std::any_of(columns.columnOf.begin(), columns.columnOf.end(), [&](const auto& entry) {
                return entry.second == cell.column &&
                       (entry.first == RosterColumn::Number || entry.first == RosterColumn::Name ||
                        entry.first == RosterColumn::Position || entry.first == RosterColumn::Value);
            });
        const std::string text = row.textOf(cell);
        if (!ownColumn && isBareNumber(text)) {
            line.count = leadingNumber(text).value_or(1);
            break;
        }
    }
    return line;
}

std::optional<std::string> teamTotalOfRow(const TableRow& row, const ColumnMap& columns)
{
    // The label leads its row: the same word among a player's skills or in a
    // staff row's cost is no total.
    const auto label = std::find_if(row.cells.begin(), row.cells.end(),
                                    [&](const TableCell& cell) { return !row.textOf(cell).empty(); });
    if (label == row.cells.end() || !isTotal(row.textOf(*label)))
        return std::nullopt;
    const std::string value = textAt(row, columns, RosterColumn::Value);
    if (isPageMoney(value))
        return value;
    for (auto cell = row.cells.rbegin(); cell != row.cells.rend(); ++cell) {
        std::string text = row.textOf(*cell);
        if (isPageMoney(text))
            return text;
    }
    return std::nullopt;
}

void StaffTally::add(const StaffLine& line)
{
    ++m_lines;
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return e.field == line.field; });
    if (entry == m_entries.end()) {
        m_entries.push_back({line.field, line.count, line.name, line.cost});
        return;
    }
    // Costs of several lines of one role would need adding up; the count
    // alone stays certain.
    entry->count += line.count;
    entry->cost.clear();
    if (entry->name.empty())
        entry->name = line.name;
}
