#include "PageFixtures.h"
#include "RosterFindings.h"
#include "RosterRows.h"
#include "RulesFile.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Severity = RulesFinding::Severity;

constexpr SheetGrid Players = SheetGrid::Players;
constexpr SheetGrid Details = SheetGrid::Details;
constexpr SheetGrid Extras = SheetGrid::Extras;

LeagueRules exampleLeague()
{
    return readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json"));
}

// The sample page with its one fault mended: player 8's MA shows the injury
// his injuries cell lists.
RosterSheet cleanSample()
{
    RosterSheet sheet = samplePageSheet();
    sheet.setCell(Players, 3, 8, QStringLiteral("3"));
    return sheet;
}

struct FindingRow
{
    const char* name;
    std::function<void(RosterSheet&, LeagueRules&)> change;
    std::vector<RulesFinding> expected;
};

std::function<void(RosterSheet&, LeagueRules&)> cell(SheetGrid grid, int col, int row, const char* text)
{
    return [=](RosterSheet& sheet, LeagueRules&) { sheet.setCell(grid, col, row, QString::fromUtf8(text)); };
}

RulesFinding error(SheetGrid grid, int col, int row, const char* text)
{
    return {Severity::Error, {grid, col, row}, QString::fromUtf8(text)};
}

RulesFinding warning(SheetGrid grid, int col, int row, const char* text)
{
    return {Severity::Warning, {grid, col, row}, QString::fromUtf8(text)};
}

std::string describe(const std::vector<RulesFinding>& findings)
{
    std::string text;
    for (const RulesFinding& finding : findings)
        text += std::string(severityName(finding.severity)) + " at " +
                std::to_string(int(finding.cell.grid)) + "/" + std::to_string(finding.cell.col) + "/" +
                std::to_string(finding.cell.row) + ": " + finding.text.toStdString() + "\n";
    return text;
}

} // namespace

TEST(RosterFindings, OneRowPerKind)
{
    const FindingRow rows[] = {
        {"the mended sample breaks no rule", {}, {}},
        {"names in another case and with blanks are the same names",
         [](RosterSheet& sheet, LeagueRules&) {
             sheet.setCell(Details, 1, 1, QStringLiteral(" dwarf "));
             sheet.setCell(Players, 2, 6, QStringLiteral("LONGBEARD"));
             sheet.setCell(Players, 7, 6, QStringLiteral("block,tackle ; thick skull"));
         },
         {}},
        {"the sample as it stands: an injury its MA does not show",
         cell(Players, 3, 8, "4"),
         {error(
             Players, 3, 8,
             "player 8 (Longbeard): MA 4 should be 3: the Longbeard profile has MA 4, less 1 for injuries")}},
        {"too many players",
         [](RosterSheet&, LeagueRules& rules) { rules.mostPlayers = 10; },
         {error(Players, 2, 12, "11 players, but a team may have at most 10")}},
        {"too few players",
         [](RosterSheet&, LeagueRules& rules) { rules.fewestPlayers = 12; },
         {warning(Players, 2, 11, "11 players, but a team needs at least 12")}},
        {"more of a position than allowed",
         [](RosterSheet&, LeagueRules& rules) { rules.races[0].positions[0].most = 4; },
         {error(Players, 2, 10, "player 10 (Longbeard): one Longbeard too many: a Dwarf team may field 4")}},
        {"a position the race does not have",
         cell(Players, 2, 6, "Ogre"),
         {error(Players, 2, 6, "player 6 (Ogre): the Dwarf race has no Ogre position")}},
        {"no position", cell(Players, 2, 6, ""), {error(Players, 2, 6, "player 6: no position is given")}},
        {"a race the rules do not know",
         cell(Details, 1, 1, "Elf"),
         {error(Details, 1, 1, "the league's rules have no race Elf (they have Dwarf)")}},
        {"no race", cell(Details, 1, 1, ""), {error(Details, 1, 1, "the team names no race")}},
        {"a characteristic above 10",
         cell(Players, 6, 12, "11"),
         {error(Players, 6, 12, "player 12 (Deathroller): AV 11 is outside 1 to 10")}},
        {"a characteristic that is no number",
         cell(Players, 5, 3, "3+"),
         {error(Players, 5, 3, "player 3 (Runner): AG is not a whole number")}},
        {"a characteristic above the profile",
         cell(Players, 4, 6, "4"),
         {error(Players, 4, 6,
                "player 6 (Longbeard): ST 4 should be 3: the Longbeard profile has ST 3, and no advance (+1 "
                "ST) or "
                "injury (-1 ST) is listed")}},
        {"a characteristic below the profile",
         cell(Players, 6, 9, "8"),
         {warning(Players, 6, 9,
                  "player 9 (Longbeard): AV 8 should be 9: the Longbeard profile has AV 9, and no advance "
                  "(+1 AV) or "
                  "injury (-1 AV) is listed")}},
        {"an advance explains a characteristic, and is more than the SPP earn",
         [](RosterSheet& sheet, LeagueRules&) {
             sheet.setCell(Players, 4, 9, QStringLiteral("4"));
             sheet.setCell(Players, 7, 9, QStringLiteral("Block, Tackle, Thick Skull, +1 ST"));
         },
         {error(Players, 14, 9, "player 9 (Longbeard): 1 advance listed, but 0 SPP earn 0 advances")}},
        {"an unknown skill",
         cell(Players, 7, 1, "Block, Thick Skull, Tackle, Blok"),
         {error(Players, 7, 1, "player 1 (Blitzer): skill Blok is not one of the league's skills")}},
        {"a skill twice",
         cell(Players, 7, 1, "Block, Thick Skull, Tackle, tackle"),
         {error(Players, 7, 1, "player 1 (Blitzer): skill tackle is listed twice")}},
        {"a starting skill missing",
         cell(Players, 7, 6, "Block, Tackle"),
         {warning(Players, 7, 6,
                  "player 6 (Longbeard): the Longbeard's starting skill Thick Skull is missing")}},
        {"a skill outside the position's categories",
         cell(Players, 7, 1, "Block, Thick Skull, Loner"),
         {error(Players, 7, 1,
                "player 1 (Blitzer): skill Loner (Special) is outside the Blitzer's categories (General, "
                "Strength; "
                "Agility, Passing on a double)")}},
        {"a double skill of a double category", cell(Players, 7, 1, "Block, Thick Skull, Dodge"), {}},
        {"a cost that does not follow the advances",
         [](RosterSheet&, LeagueRules& rules) {
             rules.advancement.values = {20'000, 30'000, 30'000, 50'000, 40'000, 30'000};
         },
         {error(Players, 15, 1,
                "player 1 (Blitzer): cost 80k, but the Blitzer's cost with these advances is 100k"),
          error(Players, 15, 7,
                "player 7 (Longbeard): cost 70k, but the Longbeard's cost with these advances is 90k")}},
        {"no cost where advances are priced",
         [](RosterSheet& sheet, LeagueRules& rules) {
             rules.advancement.values = {0, 0, 0, 0, 0, 0};
             sheet.setCell(Players, 15, 6, QString());
         },
         // Without the cost the team value drops, and the team rating with it.
         {warning(Details, 1, 2, "team rating 130 should be 123: team value 1100k / 10k + 66 SPP / 5"),
          error(Players, 15, 6, "player 6 (Longbeard): no cost is given: the Longbeard's cost is 70k")}},
        {"a re-roll price other than the race's",
         cell(Extras, 2, 0, "x $50k ="),
         {error(Extras, 2, 0, "the re-roll price 50k differs from the league's 40k")}},
        {"a staff price other than the league's",
         cell(Extras, 2, 3, "x 15k ="),
         {error(Extras, 2, 3, "the cheerleader price 15k differs from the league's 10k")}},
        {"an apothecary the race may not hire",
         [](RosterSheet&, LeagueRules& rules) { rules.races[0].mayHireApothecary = false; },
         {error(Extras, 1, 4, "a Dwarf team may not hire an apothecary")}},
        {"a wizard the race may not hire, priced as the league does not",
         [](RosterSheet& sheet, LeagueRules& rules) {
             rules.races[0].mayHireWizard = false;
             sheet.setCell(Extras, 1, 5, QStringLiteral("1"));
             sheet.setCell(Extras, 2, 5, QStringLiteral("x 100k ="));
         },
         {error(Extras, 1, 5, "a Dwarf team may not hire a wizard"),
          error(Extras, 2, 5, "the wizard price 100k differs from the league's 150k")}},
        {"a negative treasury",
         cell(Details, 1, 3, "-40k"),
         {error(Details, 1, 3, "the treasury is negative: -40k")}},
        {"a team rating other than the formula's",
         cell(Details, 1, 2, "125"),
         {warning(Details, 1, 2, "team rating 125 should be 130: team value 1170k / 10k + 66 SPP / 5")}},
        {"a team rating beyond 32 bits that is the formula's",
         [](RosterSheet& sheet, LeagueRules& rules) {
             rules.teamRating->valueDivisor = 1;
             sheet.setCell(Players, 15, 1, QStringLiteral("2,500,000k"));
             sheet.setCell(Details, 1, 2, QStringLiteral("2501090013"));
         },
         {}},
        {"a team rating that reads like a place holder is quoted as it stands",
         cell(Details, 1, 2, "%1"),
         {warning(Details, 1, 2, "team rating %1 should be 130: team value 1170k / 10k + 66 SPP / 5")}},
    };
    for (const FindingRow& row : rows) {
        SCOPED_TRACE(row.name);
        RosterSheet sheet = cleanSample();
        LeagueRules rules = exampleLeague();
        if (row.change)
            row.change(sheet, rules);
        const std::vector<RulesFinding> findings = rosterFindings(sheet, rules);
        EXPECT_EQ(describe(findings), describe(row.expected));
        EXPECT_EQ(hasErrorFinding(findings), hasErrorFinding(row.expected));
    }
}

// An empty page holds no player to check, and a rules file without
// advancement, values or formula leaves those checks out.
TEST(RosterFindings, WhatTheRulesDoNotGiveIsNotChecked)
{
    LeagueRules rules = exampleLeague();
    rules.advancement = {};
    rules.teamRating.reset();
    RosterSheet sheet = cleanSample();
    sheet.setCell(Players, 7, 6, QStringLiteral("Block, Tackle, Thick Skull, Guard, Kick, Pro"));
    sheet.setCell(Details, 1, 2, QStringLiteral("5"));
    EXPECT_EQ(describe(rosterFindings(sheet, rules)), "");

    RosterSheet empty = newTeamSheet();
    empty.setCell(Details, 1, 1, QStringLiteral("Dwarf"));
    const std::vector<RulesFinding> findings = rosterFindings(empty, rules);
    EXPECT_EQ(describe(findings),
              describe({warning(Players, 2, 1, "0 players, but a team needs at least 11")}));
}

// What Add Skill offers a player is what the findings then accept: a skill of
// another category is left out, and one the league has not placed yet (all
// of a learned file's) is open to every position.
TEST(RosterFindings, SkillsOpenToAPlayerAreThoseTheFindingsAccept)
{
    LeagueRules rules = exampleLeague();
    rules.skills.push_back({QStringLiteral("Fend"), UnknownCategory.toString()});
    const SheetCellRef skillsCell = playerCell(6, RosterCols::Skills);
    for (const PositionRules& position : rules.races[0].positions) {
        const SkillChoice open = skillsOpenTo(rules, position, position.startingSkills);
        for (const SkillRules& skill : rules.skills) {
            if (containsName(position.startingSkills, skill.name))
                continue;
            SCOPED_TRACE(position.title.toStdString() + " taking " + skill.name.toStdString());
            RosterSheet sheet = cleanSample();
            sheet.setCell(Players, RosterCols::Position, 6, position.title);
            sheet.setCell(Players, RosterCols::Skills, 6,
                          (position.startingSkills + QStringList{skill.name}).join(QStringLiteral(", ")));
            const std::vector<RulesFinding> findings = rosterFindings(sheet, rules);
            const bool outside =
                std::any_of(findings.begin(), findings.end(), [&](const RulesFinding& finding) {
                    return finding.cell == skillsCell && finding.text.contains(QStringLiteral("outside"));
                });
            EXPECT_EQ(containsName(open.normal, skill.name) || containsName(open.onDouble, skill.name),
                      !outside);
        }
    }
}
