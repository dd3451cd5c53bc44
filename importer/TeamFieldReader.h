#pragma once

#include "PageTables.h"
#include "TTeam.h"
#include "TeamLabels.h"

#include <bitset>
#include <optional>
#include <string_view>

// Reads the team's fields from the labelled texts of a page, as they stream
// past. The first label of each field that gives it a value wins. The value
// is the rest of the label's text, or the next cell when the label fills its
// cell, or else the next text of the page.
class TeamFieldReader
{
public:
    explicit TeamFieldReader(TTeam& team) : m_team(team) {}

    // A text outside any table cell.
    void text(std::string_view text);
    // A table row that holds no player and no headings.
    void row(const TableRow& row);

    // A value found elsewhere than by a label; it too fills only a field no
    // label filled before.
    void offer(TeamLabel label, const LabelValue& value);

    bool given(TeamLabel label) const { return m_given.test(static_cast<std::size_t>(label)); }
    bool anyGiven() const { return m_given.any(); }

private:
    void item(std::string_view text, const TableRow* row, std::size_t cell);

    TTeam& m_team;
    std::bitset<static_cast<std::size_t>(TeamLabel::Wizard) + 1> m_given;
    // A label that waits for the next text as its value.
    std::optional<TeamLabel> m_pending;
};
