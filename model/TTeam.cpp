#include "TTeam.h"

TTeam CurrentTeam;

TTeam newTeam()
{
    TTeam team;
    team.ReRollPriceText = "x $50k =";
    team.FanFactorPriceText = "x $10k =";
    team.AssistantCoachPriceText = "x $10k =";
    team.CheerleaderPriceText = "x $10k =";
    team.ApothecaryPriceText = "x $50k =";
    team.WizardPriceText = "x $150k =";
    team.BackgroundColor = 0xFFFFFF;
    team.TableColor = 0xD0FFFF;
    team.HeadingsColor = 0xA0D0D0;
    team.TableFontColor = 0;
    team.TableFontName = DefaultFaceName;
    team.HeadingFontColor = 0;
    team.HeadingFontName = DefaultFaceName;
    return team;
}

void resetToNewTeam(TTeam& team)
{
    team = newTeam();
}
