#pragma once

#include "TeamValue.h"

#include <utility>
#include <vector>

// Keeps worked-out totals in step with the edits of a roster's money texts.
//
// After an edit of a staff line's count or price, a cost that was worked out
// before (empty, derived from the count, or count x price) becomes the new
// count x price, in the look it had. After any edit, "Cost of Team" becomes the
// new team value when it stated the team value before. A text a person typed
// that disagrees with its parts is never changed.
//
// While the user types, a part may be unreadable for a keystroke or two ("$",
// an emptied count). The total or cost that depends on it then stays as it
// is, and follows again once the part can be read, provided it was following
// when the part became unreadable.
class TotalsFollower
{
public:
    using Change = std::pair<MoneyCell, std::string>;

    // Starts over with texts read or shown afresh; changes nothing.
    void reset(const MoneyTexts& texts);

    // One cell now holds newText. Returns the texts follow-up writes as a
    // result, in order, each a cost or the total; texts() already holds them.
    std::vector<Change> edited(MoneyCell cell, const std::string& newText);

    const MoneyTexts& texts() const { return m_texts; }
    bool lineFollows(StaffLine which) const { return m_lineFollows[static_cast<std::size_t>(which)]; }
    bool totalFollows() const { return m_totalFollows; }

private:
    void write(MoneyCell cell, std::string text, std::vector<Change>& changes);
    void followLine(int index, std::vector<Change>& changes);
    void followTotal(std::vector<Change>& changes);
    void judgeLine(int index);
    void judgeTotal();

    MoneyTexts m_texts;
    std::array<bool, StaffLineCount> m_lineFollows{};
    std::array<MoneyStyle, StaffLineCount> m_lineStyles{};
    bool m_totalFollows = false;
    MoneyStyle m_totalStyle;
};
