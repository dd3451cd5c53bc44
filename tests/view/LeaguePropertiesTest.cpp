#include "Controls.h"
#include "ViewTestSupport.h"

#include "ActiveRules.h"
#include "LeagueTeams.h"
#include "LiveFindings.h"
#include "PageFixtures.h"
#include "PageStore.h"
#include "PlayerTexts.h"
#include "RosterFindings.h"
#include "RosterOffers.h"
#include "RosterPage.h"
#include "RosterRows.h"
#include "RulesCommands.h"
#include "SheetTotals.h"
#include "StringGrid.h"
#include "TeamRating.h"

#include <QAction>
#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

namespace {

// Generated leagues whose skills also have categories, positions that take
// some of them normally and some on a double, advance values and a team
// rating, shown in the window one random roster at a time.
class LeagueProperties : public ViewTest
{
protected:
    void showCase(std::uint32_t seed)
    {
        LeagueTeams league(seed);
        m_random.seed(seed);
        m_rules = league.rules();
        const QStringList categories = {"General", "Strength", "Agility", "Passing", "unknown"};
        for (SkillRules& skill : m_rules.skills)
            skill.category = categories[between(0, 4)];
        for (RaceRules& race : m_rules.races) {
            for (PositionRules& position : race.positions) {
                for (int c = 0; c < 4; ++c) {
                    if (const int how = between(0, 2); how == 1)
                        position.normalCategories.append(categories[c]);
                    else if (how == 2)
                        position.doubleCategories.append(categories[c]);
                }
            }
        }
        m_rules.advancement.sppForAdvance = {6, 16, 31, 51, 76, 176};
        m_rules.advancement.values = {20'000, 30'000, 30'000, 50'000, 40'000, 30'000};
        m_rules.teamRating = TeamRatingFormula{};
        const QString page = m_folder.filePath(QStringLiteral("team%1.htm").arg(seed));
        storePage(buildRosterPage(league.roster()), page);
        m_view->leagueRules().load(m_rules, QStringLiteral("league.json"));
        m_view->openPage(page);
        // From here on the window keeps the rating by the formula.
        m_view->rulesCommands().updateTeamRating();
    }

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    void run(const char* action) const { control<QAction>(m_view.get(), action)->trigger(); }
    const RosterSheet& sheet() const { return m_view->sheet(); }
    std::vector<RulesFinding> shown() const { return m_view->rulesCommands().findings().findings(); }

    // The cells error findings are about, with the texts of the team-wide
    // ones; with texts, the texts of them all.
    std::set<std::string> errorsOf(const RosterSheet& roster, bool texts = false) const
    {
        std::set<std::string> found;
        for (const RulesFinding& finding : rosterFindings(roster, m_rules)) {
            if (finding.severity == RulesFinding::Severity::Error)
                found.insert(!texts && finding.cell.grid == SheetGrid::Players && finding.cell.row >= 1
                                 ? std::to_string(finding.cell.col) + "," + std::to_string(finding.cell.row)
                                 : finding.text.toStdString());
        }
        return found;
    }
    std::set<std::string> errors() const { return errorsOf(sheet()); }
    void expectNoNewErrors(const std::set<std::string>& before, const std::string& what) const
    {
        for (const std::string& error : errors())
            EXPECT_TRUE(before.count(error)) << what << " added an error at " << error;
    }

    // Hires a random position of those offered and adds a random skill of
    // those offered to a random player: neither adds an error finding, and
    // what is refused would break a rule.
    void hireAndAddSkill()
    {
        const RaceRules* race = m_rules.findRace(raceOf(sheet()));
        ASSERT_NE(race, nullptr);

        const std::vector<PositionOffer> offers = positionOffers(*race, sheet());
        const PositionOffer& offer = offers[std::size_t(between(0, int(offers.size()) - 1))];
        const std::optional<int> slot = firstEmptySlot(sheet());
        const bool full = int(playerRows(sheet()).size()) >= m_rules.mostPlayers;
        m_choosers->hireAnswer = offer.position->title;
        m_choosers->payAnswer = false;
        std::set<std::string> before = errors();
        run("HirePlayer");
        if (slot && !isEmptySlot(sheet(), *slot))
            expectNoNewErrors(before, "hiring a " + offer.position->title.toStdString());
        else
            EXPECT_TRUE(!slot || full || offer.left() == 0) << offer.position->title.toStdString();

        const std::vector<PlayerRow> rows = playerRows(sheet());
        if (rows.empty())
            return;
        const int player = rows[std::size_t(between(0, int(rows.size()) - 1))].slot;
        control<StringGrid>(m_view.get(), "TeamGrid")->setCurrentCell(RosterCols::Skills, player);
        m_choosers->skillAnswer.reset();
        const std::size_t asked = m_choosers->skillOffers.size();
        run("AddSkill");
        // Refused before the dialog when his SPP earn no further advance.
        const SkillChoice open =
            m_choosers->skillOffers.size() > asked ? m_choosers->skillOffers.back() : SkillChoice{};
        const QStringList offered = open.normal + open.onDouble;
        const QString skills = sheet().cell(SheetGrid::Players, RosterCols::Skills, player);
        const PositionRules* position =
            race->findPosition(sheet().cell(SheetGrid::Players, RosterCols::Position, player));
        const std::set<std::string> now = errorsOf(sheet(), true);
        // Without a position of the race there is no rule a skill could break.
        for (const SkillRules& skill : position ? m_rules.skills : std::vector<SkillRules>()) {
            if (offered.contains(skill.name) || containsName(readSkillsText(skills).skills, skill.name) ||
                containsName(position->startingSkills, skill.name))
                continue;
            RosterSheet refused = sheet();
            refused.setCell(SheetGrid::Players, RosterCols::Skills, player,
                            withSkillAdded(skills, skill.name));
            const std::set<std::string> after = errorsOf(refused, true);
            EXPECT_FALSE(std::includes(now.begin(), now.end(), after.begin(), after.end()))
                << "refused " << skill.name.toStdString();
        }
        if (offered.isEmpty())
            return;
        m_choosers->skillAnswer = offered[between(0, int(offered.size()) - 1)];
        before = errors();
        run("AddSkill");
        expectNoNewErrors(before, "adding " + m_choosers->skillAnswer->toStdString());
    }

    std::mt19937 m_random;
    LeagueRules m_rules;
};

unsigned environmentCount(const char* name, unsigned fallback)
{
    const char* value = std::getenv(name);
    return value ? unsigned(std::strtoul(value, nullptr, 10)) : fallback;
}

} // namespace

// What Hire Player and Add Skill do keeps the rules; what they refuse would break one.
TEST_F(LeagueProperties, OffersKeepTheRules)
{
    // TE_LEAGUE_SEEDS runs more of them locally.
    for (unsigned seed = 1; seed <= environmentCount("TE_LEAGUE_SEEDS", 10) && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        showCase(seed);
        hireAndAddSkill();
    }
}

// The findings, team value and rating the window shows are those the saved
// page gives the companion's check.
TEST_F(LeagueProperties, WindowAndSavedPageAgree)
{
    for (unsigned seed = 1; seed <= environmentCount("TE_LEAGUE_SEEDS", 10) && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        showCase(seed);
        hireAndAddSkill();
        QCoreApplication::processEvents();
        m_view->buildPage();
        const QString saved = m_folder.filePath(QStringLiteral("saved.htm"));
        storePage(m_view->pageBuffer(), saved);
        const RosterSheet read = sheetOfPage(saved);

        const auto texts = [](std::vector<RulesFinding> findings) {
            std::multiset<std::string> all;
            for (const RulesFinding& finding : findings)
                all.insert(std::string(severityName(finding.severity)) + " " + finding.text.toStdString());
            return all;
        };
        EXPECT_EQ(texts(shown()), texts(rosterFindings(read, m_rules)));
        const TeamSum sum = teamSum(moneyTextsOf(read));
        ASSERT_TRUE(sum.value.isKnown());
        EXPECT_EQ(parseMoney(moneyTextsOf(read).teamCost).amount, sum.value.amount);
        const std::optional<TeamRating> rating = teamRatingOf(read, *m_rules.teamRating);
        ASSERT_TRUE(rating);
        EXPECT_TRUE(statesRating(
            read.cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::TeamRating), rating->rating))
            << read.cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::TeamRating).toStdString()
            << " " << rating->rating;
    }
}
