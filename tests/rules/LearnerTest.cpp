#include "LeagueTeams.h"
#include "PageFixtures.h"
#include "RosterFindings.h"
#include "RulesFile.h"
#include "RulesFileWriter.h"
#include "RulesLearner.h"

#include <gtest/gtest.h>

// Rosters drawn from known rules teach those rules back: every position seen
// gets its profile, cost and at least its starting skills, and every roster
// then keeps the learned rules.
TEST(RulesLearner, LearnsTheRulesGeneratedRostersKeep)
{
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        LeagueTeams league(seed);
        std::vector<RosterSheet> rosters;
        RulesLearner learner;
        for (int page = 0; page < 12; ++page) {
            rosters.push_back(league.roster());
            learner.addRoster(rosters.back(), QStringLiteral("page%1.htm").arg(page));
        }
        EXPECT_EQ(learner.conflicts(), QStringList());
        const LeagueRules learned = parseRules(rulesFileText(learner.rules(QStringLiteral("Learned"))),
                                               QStringLiteral("learned.json"));

        EXPECT_EQ(learned.prices, league.rules().prices);
        for (const RaceRules& race : learned.races) {
            const RaceRules* known = league.rules().findRace(race.name);
            ASSERT_NE(known, nullptr);
            EXPECT_EQ(race.reRollPrice, known->reRollPrice);
            for (const PositionRules& position : race.positions) {
                SCOPED_TRACE(position.title.toStdString());
                const PositionRules* rules = known->findPosition(position.title);
                ASSERT_NE(rules, nullptr);
                EXPECT_EQ(position.profile, rules->profile);
                EXPECT_EQ(position.cost, rules->cost);
                // A position no new player shows gets the skills all its
                // players share, which may be more than it starts with.
                for (const QString& skill : rules->startingSkills)
                    EXPECT_TRUE(position.startingSkills.contains(skill)) << skill.toStdString();
                EXPECT_LE(position.most, rules->most);
            }
        }
        for (const RosterSheet& roster : rosters)
            EXPECT_EQ(rosterFindings(roster, learned), std::vector<RulesFinding>());
    }
}

TEST(RulesLearner, NamesThePagesThatDisagree)
{
    RosterSheet cheaper = samplePageSheet();
    cheaper.setCell(SheetGrid::Players, 15, 9, QStringLiteral("60k"));
    cheaper.setCell(SheetGrid::Extras, 2, 0, QStringLiteral("x $50k ="));
    cheaper.setCell(SheetGrid::Players, 7, 1, QStringLiteral("BLOCK, thick skull, Tackle"));
    RulesLearner learner;
    learner.addRoster(samplePageSheet(), QStringLiteral("a.htm"));
    learner.addRoster(samplePageSheet(), QStringLiteral("b.htm"));
    learner.addRoster(cheaper, QStringLiteral("c.htm"));
    learner.addRoster(newTeamSheet(), QStringLiteral("new.htm"));
    EXPECT_EQ(learner.conflicts(),
              QStringList({"new.htm: the page names no race; nothing learned from it",
                           "Dwarf re-roll price: 40k (a.htm, b.htm) or 50k (c.htm); 40k taken",
                           "Dwarf Longbeard: cost 70k (a.htm, b.htm, c.htm) or 60k (c.htm); 70k taken"}));
    const LeagueRules rules = learner.rules(QStringLiteral("Sample"));
    ASSERT_EQ(rules.races.size(), 1u);
    const PositionRules* blitzer = rules.races[0].findPosition(u"Blitzer");
    ASSERT_NE(blitzer, nullptr);
    // No Blitzer is new: the skills both share, their profile without advances.
    EXPECT_EQ(blitzer->startingSkills, QStringList({"Block", "Thick Skull"}));
    EXPECT_EQ(blitzer->profile, (Profile{5, 3, 3, 9}));
    const PositionRules* longbeard = rules.races[0].findPosition(u"Longbeard");
    ASSERT_NE(longbeard, nullptr);
    EXPECT_EQ(longbeard->most, 5);
    // A skill is learned once, in the spelling first seen.
    const auto blocks = std::count_if(rules.skills.begin(), rules.skills.end(),
                                      [](const SkillRules& skill) { return sameName(skill.name, u"block"); });
    EXPECT_EQ(blocks, 1);
    EXPECT_EQ(rules.findSkill(u"thick skull")->name, "Thick Skull");
}
