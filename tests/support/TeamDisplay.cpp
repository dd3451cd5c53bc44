#include "TeamDisplay.h"

#include "PageFixtures.h"

#include <QStringList>

namespace {

QString number(std::int32_t value)
{
    return QString::number(value);
}

// The cost a count implies when the page gave none: ten thousand a head.
QString countedCost(std::int32_t count)
{
    return count > 0 ? QString::number(count * 10) + "k" : QString();
}

void setRow(GridSnapshot& grid, int row, const QStringList& texts)
{
    for (int col = 0; col < texts.size(); ++col)
        grid.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = texts[col];
}

} // namespace

PageSnapshot displayTeam(const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    const auto text = [encoding](const std::string& bytes) { return decodeText(bytes, encoding); };
    const auto costOr = [&](const std::string& cost, const QString& derived) {
        return cost.empty() ? derived : text(cost);
    };

    PageSnapshot shown;
    shown.encoding = encoding;
    shown.teamGrid2 = emptyGrid(2, 6);
    setRow(shown.teamGrid2, 0, {"Team Name:", text(team.TeamName)});
    setRow(shown.teamGrid2, 1, {"Race:", text(team.Race)});
    setRow(shown.teamGrid2, 2, {"Team Rating:", number(team.TeamRating)});
    setRow(shown.teamGrid2, 3, {"Treasury:", text(team.Treasury)});
    setRow(shown.teamGrid2, 4, {"Coach:", text(team.Coach)});
    setRow(shown.teamGrid2, 5, {"Cost of Team:", text(team.TeamCost)});

    shown.teamGrid3 = emptyGrid(4, 6);
    setRow(shown.teamGrid3, 0,
           {"Re-Rolls:", number(team.ReRolls), text(team.ReRollPriceText), text(team.ReRollCostText)});
    setRow(shown.teamGrid3, 1,
           {"Fan Factor:", number(team.FanFactor), text(team.FanFactorPriceText),
            costOr(team.FanFactorCostText, countedCost(team.FanFactor))});
    setRow(shown.teamGrid3, 2,
           {"Assistant Coaches:", number(team.AssistantCoaches), text(team.AssistantCoachPriceText),
            costOr(team.AssistantCoachCostText, countedCost(team.AssistantCoaches))});
    setRow(shown.teamGrid3, 3,
           {"Cheerleaders:", number(team.Cheerleaders), text(team.CheerleaderPriceText),
            costOr(team.CheerleaderCostText, countedCost(team.Cheerleaders))});
    setRow(shown.teamGrid3, 4,
           {"Apothecary:", team.HasApothecary ? "1" : "0", text(team.ApothecaryPriceText),
            costOr(team.ApothecaryCostText, team.HasApothecary ? "50k" : "")});
    setRow(shown.teamGrid3, 5,
           {"Team Wizard:", team.HasWizard ? "1" : "0", text(team.WizardPriceText),
            costOr(team.WizardCostText, team.HasWizard ? "150k" : "")});

    shown.teamGrid = emptyGrid(16, 17);
    setRow(shown.teamGrid, 0,
           {"#", "Player Name", "Position", "MA", "ST", "AG", "AV", "Skills", "inj", "cmp", "td", "int",
            "cas", "mvp", "spp", "Cost"});
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        const TPlayer& p = team.Players[slot];
        const auto stat = [&p](std::int32_t value) { return p.isEmpty() ? QString() : number(value); };
        setRow(shown.teamGrid, slot,
               {number(slot), text(p.PlayerName), text(p.Position), stat(p.MA), stat(p.ST), stat(p.AG),
                stat(p.AV), text(p.Skills), text(p.Injuries), stat(p.Completions), stat(p.Touchdowns),
                stat(p.Interceptions), stat(p.Casualties), stat(p.MVPs), stat(p.SPP), text(p.PlayerCost)});
    }

    shown.gameGrid = emptyGrid(record.ColCount, record.RowCount);
    for (int row = 0; row < record.RowCount; ++row)
        for (int col = 0; col < record.ColCount; ++col)
            shown.gameGrid.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] =
                text(record.cell(col, row));

    shown.windowColor = team.BackgroundColor;
    shown.tableColor = team.TableColor;
    shown.headingsColor = team.HeadingsColor;
    shown.tableFontColor = team.TableFontColor;
    shown.tableFontName = text(team.TableFontName).left(31);
    shown.headingFontColor = team.HeadingFontColor;
    shown.headingFontName = text(team.HeadingFontName).left(31);
    return shown;
}
