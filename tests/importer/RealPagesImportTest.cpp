// What a careful coach reads from each real page of another tool, written
// down by hand from the pages, against what the importer makes of them.
#include "Errors.h"
#include "RosterImporter.h"
#include "ScanState.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <variant>

namespace {

const std::filesystem::path corpus = TE_SOURCE_DIR "/../shared/corpus/real";

struct Row
{
    int slot;
    std::string name, position;
    int ma, st, ag, av;
    std::string skills, injuries;
    int comp, td, intc, cas, mvp, spp;
    std::string cost;
};

ImportResult importCorpusPage(const char* name)
{
    return importRosterFile((corpus / name).string());
}

void expectPlayers(const TTeam& team, const std::vector<Row>& rows)
{
    std::vector<bool> named(PlayerSlotCount + 1, false);
    for (const Row& row : rows) {
        const TPlayer& p = team.Players[row.slot];
        const TPlayer expected{row.name, row.position, row.ma,       row.st,   row.ag,
                               row.av,   row.skills,   row.injuries, row.comp, row.td,
                               row.intc, row.cas,      row.mvp,      row.spp,  row.cost};
        EXPECT_EQ(p, expected) << "slot " << row.slot << ": " << p.PlayerName << " / " << p.Position << " / "
                               << p.Skills << " / " << p.Injuries << " / " << p.PlayerCost;
        named[static_cast<std::size_t>(row.slot)] = true;
    }
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        if (!named[static_cast<std::size_t>(slot)]) {
            EXPECT_EQ(team.Players[slot], TPlayer{}) << "slot " << slot;
        }
    }
}

// The fields of the record by the names the expected files use.
using StringField = std::string TTeam::*;
using NumberField = std::int32_t TTeam::*;
using FlagField = bool TTeam::*;
using ColourField = TColor TTeam::*;
using TeamField = std::variant<StringField, NumberField, FlagField, ColourField>;

const std::pair<const char*, TeamField> teamFields[] = {
    {"TeamName", &TTeam::TeamName},
    {"Coach", &TTeam::Coach},
    {"Race", &TTeam::Race},
    {"FanFactor", &TTeam::FanFactor},
    {"ReRolls", &TTeam::ReRolls},
    {"TeamRating", &TTeam::TeamRating},
    {"Treasury", &TTeam::Treasury},
    {"TeamCost", &TTeam::TeamCost},
    {"AssistantCoaches", &TTeam::AssistantCoaches},
    {"Cheerleaders", &TTeam::Cheerleaders},
    {"HasApothecary", &TTeam::HasApothecary},
    {"HasWizard", &TTeam::HasWizard},
    {"ReRollPriceText", &TTeam::ReRollPriceText},
    {"ReRollCostText", &TTeam::ReRollCostText},
    {"FanFactorPriceText", &TTeam::FanFactorPriceText},
    {"FanFactorCostText", &TTeam::FanFactorCostText},
    {"AssistantCoachPriceText", &TTeam::AssistantCoachPriceText},
    {"AssistantCoachCostText", &TTeam::AssistantCoachCostText},
    {"CheerleaderPriceText", &TTeam::CheerleaderPriceText},
    {"CheerleaderCostText", &TTeam::CheerleaderCostText},
    {"ApothecaryPriceText", &TTeam::ApothecaryPriceText},
    {"ApothecaryCostText", &TTeam::ApothecaryCostText},
    {"WizardPriceText", &TTeam::WizardPriceText},
    {"WizardCostText", &TTeam::WizardCostText},
    {"BackgroundColor", &TTeam::BackgroundColor},
    {"TableColor", &TTeam::TableColor},
    {"HeadingsColor", &TTeam::HeadingsColor},
    {"TableFontColor", &TTeam::TableFontColor},
    {"TableFontName", &TTeam::TableFontName},
    {"HeadingFontColor", &TTeam::HeadingFontColor},
    {"HeadingFontName", &TTeam::HeadingFontName},
};

// "#RRGGBB", as a page writes a colour.
TColor colourOf(const QJsonValue& value)
{
    const unsigned rgb = value.toString().mid(1).toUInt(nullptr, 16);
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// A field the file does not name keeps its new-team value.
void setField(TTeam& team, const TeamField& field, const QJsonValue& value)
{
    std::visit(
        [&](auto member) {
            using Type = std::remove_reference_t<decltype(team.*member)>;
            if constexpr (std::is_same_v<Type, std::string>)
                team.*member = value.toString().toStdString();
            else if constexpr (std::is_same_v<Type, bool>)
                team.*member = value.toBool();
            else if constexpr (std::is_same_v<Type, TColor>)
                team.*member = colourOf(value);
            else
                team.*member = value.toInt();
        },
        field);
}

TPlayer playerOf(const QJsonObject& fields)
{
    const auto text = [&](const char* name) { return fields.value(name).toString().toStdString(); };
    const auto number = [&](const char* name) { return fields.value(name).toInt(); };
    return {text("PlayerName"),
            text("Position"),
            number("MA"),
            number("ST"),
            number("AG"),
            number("AV"),
            text("Skills"),
            text("Injuries"),
            number("Completions"),
            number("Touchdowns"),
            number("Interceptions"),
            number("Casualties"),
            number("MVPs"),
            number("SPP"),
            text("PlayerCost")};
}

// The team a coach reads off the page, from the file written for it by hand.
TTeam expectedTeam(const std::filesystem::path& file)
{
    QFile json(QString::fromStdString(file.string()));
    if (!json.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject expected = QJsonDocument::fromJson(json.readAll()).object();
    TTeam team = newTeam();
    const QJsonObject fields = expected.value("team").toObject();
    for (const auto& [name, field] : teamFields) {
        if (fields.contains(name))
            setField(team, field, fields.value(name));
    }
    const QJsonObject players = expected.value("players").toObject();
    for (auto slot = players.begin(); slot != players.end(); ++slot)
        team.Players[slot.key().toInt()] = playerOf(slot.value().toObject());
    return team;
}

} // namespace

class RealPagesImport : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::filesystem::is_directory(corpus))
            GTEST_SKIP() << "no corpus at " << corpus;
    }
};

TEST_F(RealPagesImport, IronChefsFourteenPlayersInPageOrder)
{
    const ImportResult result = importCorpusPage("creator-tool-upper-case.htm");
    const TTeam& team = result.team;
    const std::string stunty = "Right Stuff, Stunty, Dodge";
    const std::string bigGuy =
        "BIG GUY, Mighty Blow, Thick Skull, Throw TeamMate, Stand Firm, Take Root, Block, ";
    // Numbered 80, 81, 93 ... 42: no slot numbers, so the page order gives the slots.
    expectPlayers(
        team,
        {
            {1, "Kaga Takeshi", "Treeman", 3, 6, 1, 10, bigGuy + "+1 MA, Pro", "", 0, 0, 1, 15, 2, 42,
             "$110,000"},
            {2, "Hattori Yukio", "Treeman", 2, 6, 1, 10, bigGuy + "Pro", "", 0, 0, 0, 9, 0, 18, "$110,000"},
            {3, "Chin Kenichi Jr.", "Halfling", 5, 2, 3, 6, stunty, "", 0, 0, 0, 0, 0, 0, "$30,000"},
            {4, "Sakai Hiroyuki", "Halfling", 5, 2, 3, 6,
             "Right Stuff, Dodge, Stunty, Diving Tackle, Side Step", "", 0, 2, 0, 0, 3, 21, "$30,000"},
            {5, "Kobe Masahiko", "Halfling", 5, 2, 3, 6, "Right Stuff, Dodge, Stunty, Diving Tackle", "N", 1,
             0, 0, 1, 1, 8, "$30,000"},
            {6, "Morimoto Masaharu III", "Halfling", 5, 2, 3, 6, "Right Stuff, Dodge, Stunty", "", 0, 0, 0, 0,
             0, 0, "$30,000"},
            {7, "Michiba Rokusaburo Jr.", "Halfling", 5, 3, 3, 6, "Right Stuff, Dodge, Stunty, +1 ST, Block",
             "", 0, 4, 0, 3, 0, 18, "$30,000"},
            {8, "Nakamura Koumei III", "Halfling", 5, 2, 3, 6, stunty, "", 0, 0, 0, 0, 0, 0, "$30,000"},
            // The unnamed rows numbered 7 and 3 hold no player.
            {9, "Ota Shinichiro Jr.", "Halfling", 5, 2, 3, 6, stunty, "", 0, 1, 0, 0, 0, 3, "$30,000"},
            {10, "Kurimoto Shinichiro Jr.", "Halfling", 5, 2, 3, 6, stunty, "M", 0, 0, 0, 0, 0, 0, "$30,000"},
            {11, "Hirano Masaaki IV", "Halfling", 5, 2, 3, 6, stunty, "", 0, 0, 0, 0, 1, 5, "$30,000"},
            {12, "Kishi Asako III", "Halfling", 5, 2, 4, 6, "Right Stuff, Dodge, Stunty, +1 AG", "", 0, 1, 0,
             0, 1, 8, "$30,000"},
            {13, "Kano Tenmei", "Halfling", 5, 3, 3, 6, "Right Stuff, Stunty, Dodge, +1 ST, Block", "", 0, 5,
             2, 2, 0, 23, "$30,000"},
            {14, "Okada Masumi Jr.", "Halfling", 5, 2, 3, 6, "Right Stuff, Stunty, Dodge, Diving Tackle", "",
             0, 0, 0, 0, 2, 10, "$30,000"},
        });

    EXPECT_EQ(team.TeamName, "Iron Chefs");
    EXPECT_EQ(team.Race, "Halfling");
    EXPECT_EQ(team.Coach, "Coach Example");
    EXPECT_EQ(team.ReRolls, 4);
    EXPECT_EQ(team.ReRollPriceText, "x 60 kgp =");
    EXPECT_EQ(team.ReRollCostText, "$240,000");
    EXPECT_EQ(team.FanFactor, 11);
    EXPECT_EQ(team.FanFactorCostText, "$110,000");
    EXPECT_EQ(team.TeamRating, 141);
    EXPECT_EQ(team.Treasury, "100 kpg");
    EXPECT_EQ(team.AssistantCoaches, 6);
    EXPECT_EQ(team.AssistantCoachCostText, "$60,000");
    EXPECT_EQ(team.Cheerleaders, 6);
    EXPECT_EQ(team.CheerleaderPriceText, "x 10 kgp =");
    EXPECT_TRUE(team.HasApothecary);
    EXPECT_EQ(team.ApothecaryPriceText, "x 50 kgp =");
    EXPECT_EQ(team.ApothecaryCostText, "$50,000");
    // The master chef's count is empty: no chef, and the wizard's texts stay.
    EXPECT_FALSE(team.HasWizard);
    EXPECT_EQ(team.WizardPriceText, readerStartTeam().WizardPriceText);
    EXPECT_EQ(team.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(team.TableFontColor, 0u);
    EXPECT_EQ(team.HeadingsColor, 0xC0C0C0u);
    EXPECT_EQ(team.TableColor, readerStartTeam().TableColor);

    EXPECT_EQ(result.playerCount, 14);
    EXPECT_TRUE(result.placedInPageOrder);
    EXPECT_TRUE(result.ignoredColumns.empty());
    EXPECT_TRUE(result.summary().starts_with("Imported 14 players;")) << result.summary();
}

TEST_F(RealPagesImport, MarshratsTwelveUnnamedPlayersKeepTheirNumbers)
{
    const ImportResult result = importCorpusPage("creator-tool-split-staff-rows.htm");
    const TTeam& team = result.team;
    std::vector<Row> rows;
    for (int slot : {1, 2})
        rows.push_back({slot, "", "Storm Rats", 7, 3, 3, 8, "Block", "", 0, 0, 0, 0, 0, 0, "90 kgp"});
    for (int slot : {3, 4})
        rows.push_back({slot, "", "Gutter Rat", 9, 2, 4, 7, "Dodge", "", 0, 0, 0, 0, 0, 0, "80 kgp"});
    rows.push_back({5, "", "Thrower", 7, 3, 3, 7, "Sure Hands, Pass", "", 0, 0, 0, 0, 0, 0, "70 kgp"});
    for (int slot = 6; slot <= 12; ++slot)
        rows.push_back({slot, "", "Lineman", 7, 3, 3, 7, "", "", 0, 0, 0, 0, 0, 0, "50 kgp"});
    expectPlayers(team, rows);

    EXPECT_EQ(team.TeamName, "Galley Maid Marshrats");
    EXPECT_EQ(team.Race, "Ratmen");
    EXPECT_EQ(team.Coach, "Sean Newboy Baker");
    EXPECT_EQ(team.ReRolls, 3);
    EXPECT_EQ(team.ReRollCostText, "180 kgp");
    EXPECT_EQ(team.FanFactor, 1);
    EXPECT_EQ(team.FanFactorPriceText, "x 10 kgp =");
    EXPECT_EQ(team.FanFactorCostText, "10 kgp");
    EXPECT_EQ(team.TeamRating, 100);
    EXPECT_EQ(team.Treasury, "0 kgp");
    EXPECT_EQ(team.AssistantCoaches, 0);
    EXPECT_EQ(team.Cheerleaders, 0);
    EXPECT_EQ(team.CheerleaderCostText, "0 kgp");
    EXPECT_TRUE(team.HasApothecary);
    EXPECT_EQ(team.ApothecaryCostText, "50 kgp");
    EXPECT_FALSE(team.HasWizard);
    EXPECT_EQ(team.WizardPriceText, "x 50 kgp =");
    EXPECT_EQ(team.WizardCostText, "0 kgp");
    // White text on red headings does not read (a contrast of 4 to 1): the
    // new team's colours.
    EXPECT_EQ(team.BackgroundColor, readerStartTeam().BackgroundColor);
    EXPECT_EQ(team.TableFontColor, readerStartTeam().TableFontColor);
    EXPECT_EQ(team.HeadingsColor, readerStartTeam().HeadingsColor);

    EXPECT_EQ(result.summary(), "Imported 12 players; not in the page: team value; the page's colours would "
                                "leave the text unreadable, so the new team's are used");
}

TEST_F(RealPagesImport, BladesOfXixhuanFromAFragmentWithoutHeadings)
{
    const ImportResult result = importCorpusPage("web-app-fragment.htm");
    const TTeam& team = result.team;
    const char* names[] = {"Imjal",     "Jutaai",  "Anari",   "Tapuruai", "Caraoco", "Jutacuara",
                           "Tapuruica", "Araramu", "Jutaucu", "Parau",    "Tauau",   "Apiiri"};
    std::vector<Row> rows;
    for (int slot = 1; slot <= 12; ++slot) {
        Row row{slot, names[slot - 1], "Linewoman", 6, 3, 3, 7, "Dodge", "", 0, 0, 0, 0, 0, 0, "50k"};
        if (slot <= 4)
            row.position = "Blitzer", row.skills = "Block, Dodge", row.cost = "90k";
        else if (slot <= 6)
            row.position = "Catcher", row.skills = "Dodge, Catch", row.cost = "70k";
        else if (slot == 7)
            row.position = "Thrower", row.skills = "Dodge, Pass", row.cost = "70k";
        rows.push_back(row);
    }
    // The empty "Add a player" row below them is no player.
    expectPlayers(team, rows);

    EXPECT_EQ(team.TeamName, "Blades of Xixhuan");
    EXPECT_EQ(team.Coach, "Nuffle");
    // "Team Value: 970k" is the team's cost; the page gives no rating.
    EXPECT_EQ(team.TeamCost, "970k");
    EXPECT_EQ(team.TeamRating, 0);
    // The gold cell holds "30" and, after a hidden input, "k".
    EXPECT_EQ(team.Treasury, "30 k");
    EXPECT_EQ(team.ReRolls, 3);
    EXPECT_EQ(team.FanFactor, 0);
    EXPECT_EQ(team.Cheerleaders, 0);
    EXPECT_EQ(team.AssistantCoaches, 0);
    EXPECT_FALSE(team.HasApothecary);
    // The race shows only as a logo and a highlighted team list, with no label.
    EXPECT_EQ(team.Race, "");
    EXPECT_EQ(team.BackgroundColor, readerStartTeam().BackgroundColor);

    EXPECT_TRUE(result.columnsFromCellClasses);
    EXPECT_FALSE(result.placedInPageOrder);
    EXPECT_EQ(result.playerCount, 12);
}

// Every page in the folder, also pages added later, has its expected import
// beside this test; fields the page does not give keep their new-team values.
TEST_F(RealPagesImport, EveryPageImportsAsItsExpectedFileSays)
{
    const std::filesystem::path expectedFolder = TE_SOURCE_DIR "/tests/importer/expected";
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".htm") && !name.ends_with(".html"))
            continue;
        ++pages;
        const std::filesystem::path expectedFile = expectedFolder / (name + ".json");
        ASSERT_TRUE(std::filesystem::exists(expectedFile)) << "no expected import for " << name;
        const TTeam expected = expectedTeam(expectedFile);
        const TTeam imported = importRosterFile(entry.path().string()).team;
        for (int slot = 1; slot <= PlayerSlotCount; ++slot)
            EXPECT_EQ(imported.Players[slot], expected.Players[slot]) << name << ", slot " << slot;
        for (const auto& [fieldName, field] : teamFields) {
            std::visit(
                [&](auto member) {
                    EXPECT_EQ(imported.*member, expected.*member) << name << ": " << fieldName;
                },
                field);
        }
    }
    EXPECT_GE(pages, 4);
}
