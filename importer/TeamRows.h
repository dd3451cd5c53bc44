#pragma once

#include "RosterRows.h"
#include "TeamLabels.h"

#include <optional>
#include <string>

// The team's own rows in a players' table: staff and totals.

// A staff line: its role as the team field it fills, how many it counts, the
// name it gives (a head coach's) and its cost text.
struct StaffLine
{
    TeamLabel field;
    int count = 1;
    std::string name;
    std::string cost;
};

// A row whose position or name is a staff role ("Head Coach", "Assistant
// Coaches", "Cheerleader", "Apothecary", "Wizard") and not a player.
std::optional<StaffLine> staffLineOfRow(const TableRow& row, const ColumnMap& columns);

// The team's value in a row led by a total's label ("Total", "Team Value"):
// the value column's money, else the last money in the row.
std::optional<std::string> teamTotalOfRow(const TableRow& row, const ColumnMap& columns);

// Staff lines summed over the table: two "Assistant Coach" rows count two.
class StaffTally
{
public:
    void add(const StaffLine& line);
    int lineCount() const { return m_lines; }
    // Offers each role counted to the field reader, after the page's labels.
    template <typename Offer> void offerTo(Offer offer) const
    {
        for (const Entry& entry : m_entries)
            offer(entry.field,
                  LabelValue{entry.field == TeamLabel::Coach ? entry.name : std::to_string(entry.count),
                             {},
                             entry.cost});
    }

private:
    struct Entry
    {
        TeamLabel field;
        int count;
        std::string name;
        std::string cost;
    };
    std::vector<Entry> m_entries;
    int m_lines = 0;
};
