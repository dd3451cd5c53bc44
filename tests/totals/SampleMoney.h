#pragma once

#include "TeamValue.h"

// The money of the sample page in examples/: 1,170k in all.
inline MoneyTexts samplePageMoney()
{
    MoneyTexts texts;
    const char* const players[] = {"80k", "80k", "80k", "90k",  "90k", "70k", "70k", "70k",
                                   "70k", "70k", "",    "160k", "",    "",    "",    ""};
    for (int i = 0; i < RosterPlayerCount; ++i)
        texts.playerCosts[static_cast<std::size_t>(i)] = players[i];
    texts.line(StaffLine::ReRolls) = {"3", "x $40k =", "120k"};
    texts.line(StaffLine::FanFactor) = {"4", "x $10k =", "40k"};
    texts.line(StaffLine::AssistantCoaches) = {"1", "x $10k =", "10k"};
    texts.line(StaffLine::Cheerleaders) = {"2", "x $10k =", "20k"};
    texts.line(StaffLine::Apothecary) = {"1", "x $50k =", "50k"};
    texts.line(StaffLine::Wizard) = {"0", "x $150k =", ""};
    texts.teamCost = "1,170k";
    texts.treasury = "40k";
    return texts;
}
