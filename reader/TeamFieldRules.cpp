#include "TeamFieldRules.h"

#include "CellWalk.h"
#include "IntegerText.h"
#include "ItemCells.h"
#include "LineCleanup.h"

namespace {

// Rules 13 and 21: a text value in the cell after the label.
std::string labelCellText(const PageLine& line, std::string_view startWord)
{
    std::string_view remainder = ruleRemainder(line, startWord, 5);
    SkipPastPipe(remainder);
    StripLeadingPipe(remainder);
    CutAtPipe(remainder);
    return std::string(remainder);
}

std::string_view itemRemainder(const PageLine& line, std::string_view startWord)
{
    std::string_view remainder = ruleRemainder(line, startWord);
    SkipPastPipe(remainder);
    StripLeadingPipe(remainder);
    return remainder;
}

void readLenientCountedItem(const PageLine& line, std::string_view startWord, std::int32_t& count,
                            std::string& price, std::string& cost)
{
    const std::string_view remainder = itemRemainder(line, startWord);
    count = lenientToInt(countText(remainder));
    readCountedItemTexts(remainder, price, cost);
}

void readWizard(const PageLine& line, std::string_view startWord, TTeam& team)
{
    readYesNoItem(itemRemainder(line, startWord), LoneValue::NoMeansFalse, team.HasWizard,
                  team.WizardPriceText, team.WizardCostText);
}

} // namespace

void readTeamName(const PageLine& line, TTeam& team)
{
    if (line.has("<TITLE>"))
        team.TeamName = RemovePipes(line.cleaned());
}

void readCoachAndRace(const PageLine& line, TTeam& team)
{
    if (line.has("COACH:") || line.has("COACHED BY:")) {
        std::string_view remainder = ruleRemainder(line, "COACH");
        const std::size_t colon = remainder.find(':');
        if (colon != std::string_view::npos)
            remainder.remove_prefix(colon + 1);
        remainder = trimmed(remainder);
        StripLeadingPipe(remainder);
        StripLeadingPipe(remainder);
        CutAtPipe(remainder);
        team.Coach = remainder;
    }
    if (line.has("RACE:")) {
        std::string_view remainder = ruleRemainder(line, "RACE:", 5);
        StripLeadingPipe(remainder);
        StripLeadingPipe(remainder);
        CutAtPipe(remainder);
        team.Race = remainder;
    }
}

void readStaffAndMoney(const PageLine& line, TTeam& team)
{
    if (line.has("TREAS"))
        team.Treasury = labelCellText(line, "TREAS");
    if (line.has("COACHES"))
        readLenientCountedItem(line, "COACHES", team.AssistantCoaches, team.AssistantCoachPriceText,
                               team.AssistantCoachCostText);
    if (line.has("CHEER"))
        readLenientCountedItem(line, "CHEER", team.Cheerleaders, team.CheerleaderPriceText,
                               team.CheerleaderCostText);
    if (line.has("APOTHECARY"))
        readYesNoItem(itemRemainder(line, "APOTHECARY"), LoneValue::YesMeansTrue, team.HasApothecary,
                      team.ApothecaryPriceText, team.ApothecaryCostText);
    // The necromancer, alchemist and master chef are the wizard under other names.
    if (line.has("WIZARD"))
        readWizard(line, "WIZARD", team);
    if (line.has("NECROMANCER"))
        readWizard(line, "NECROMANCER", team);
    if (line.has("ALCHEMIST"))
        readWizard(line, "ALCHEMIST", team);
    if (line.has("MASTER") && line.has("CHEF"))
        readWizard(line, "CHEF", team);
    if (line.has("COST") && line.has("TEAM"))
        team.TeamCost = labelCellText(line, "COST");
}
