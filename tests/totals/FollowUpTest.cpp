#include "SampleMoney.h"
#include "TotalsFollower.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr MoneyCell TeamCost{MoneyCell::Kind::TeamCost, 0};

MoneyCell player(int number)
{
    return {MoneyCell::Kind::PlayerCost, number - 1};
}

MoneyCell count(StaffLine line)
{
    return {MoneyCell::Kind::LineCount, static_cast<int>(line)};
}

MoneyCell price(StaffLine line)
{
    return {MoneyCell::Kind::LinePrice, static_cast<int>(line)};
}

MoneyCell cost(StaffLine line)
{
    return {MoneyCell::Kind::LineCost, static_cast<int>(line)};
}

// Types text into the cell one keystroke at a time, as the grids report it.
void type(TotalsFollower& follower, MoneyCell cell, const std::string& text)
{
    for (std::size_t length = 1; length <= text.size(); ++length)
        follower.edited(cell, text.substr(0, length));
}

TotalsFollower followerOf(const MoneyTexts& texts)
{
    TotalsFollower follower;
    follower.reset(texts);
    return follower;
}

} // namespace

TEST(FollowUp, NewPlayerAndTwoReRollsOnTheSamePage)
{
    TotalsFollower follower = followerOf(samplePageMoney());
    type(follower, player(11), "70k");
    EXPECT_EQ(follower.texts().teamCost, "1,240k");
    // The old count is selected and replaced, or erased first.
    follower.edited(count(StaffLine::ReRolls), "4");
    follower.edited(count(StaffLine::ReRolls), "");
    follower.edited(count(StaffLine::ReRolls), "5");
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "200k");
    EXPECT_EQ(follower.texts().teamCost, "1,320k");
    EXPECT_EQ(teamValueStatus(follower.texts()), "Team value 1,320k");
}

TEST(FollowUp, ReportsExactlyWhatItWrites)
{
    TotalsFollower follower = followerOf(samplePageMoney());
    const std::vector<TotalsFollower::Change> expected = {{cost(StaffLine::ReRolls), "200k"},
                                                          {TeamCost, "1,250k"}};
    EXPECT_EQ(follower.edited(count(StaffLine::ReRolls), "5"), expected);
    EXPECT_TRUE(follower.edited(player(1), "80k").empty());
    EXPECT_TRUE(follower.edited({MoneyCell::Kind::Treasury, 0}, "1M").empty());
}

TEST(FollowUp, TypedTextsThatDisagreeStayAsTyped)
{
    MoneyTexts page = samplePageMoney();
    page.line(StaffLine::FanFactor).cost = "45k";
    page.teamCost = "1,180k";
    TotalsFollower follower = followerOf(page);
    EXPECT_TRUE(follower.edited(count(StaffLine::FanFactor), "6").empty());
    EXPECT_TRUE(follower.edited(player(11), "70k").empty());
    EXPECT_EQ(follower.texts().line(StaffLine::FanFactor).cost, "45k");
    EXPECT_EQ(follower.texts().teamCost, "1,180k");

    // A total that disagrees follows again once an edit makes it agree.
    EXPECT_TRUE(follower.edited(player(11), "5k").empty());
    EXPECT_EQ(follower.edited(player(11), "70k"),
              (std::vector<TotalsFollower::Change>{{TeamCost, "1,245k"}}));
}

TEST(FollowUp, TheUsersOwnCostOrTotalIsTheirs)
{
    TotalsFollower follower = followerOf(samplePageMoney());
    type(follower, cost(StaffLine::ReRolls), "$135,000");
    EXPECT_EQ(follower.texts().teamCost, "1,185k");
    EXPECT_TRUE(follower.edited(count(StaffLine::ReRolls), "4").empty());
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "$135,000");

    follower = followerOf(samplePageMoney());
    type(follower, TeamCost, "1,200k");
    EXPECT_TRUE(follower.edited(player(1), "90k").empty());
    EXPECT_EQ(follower.texts().teamCost, "1,200k");
}

TEST(FollowUp, CostsKeepTheirLookThroughNothing)
{
    MoneyTexts page = samplePageMoney();
    page.line(StaffLine::ReRolls).cost = "$120,000";
    page.teamCost = "$1,170,000";
    TotalsFollower follower = followerOf(page);
    follower.edited(count(StaffLine::ReRolls), "0");
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "");
    EXPECT_EQ(follower.texts().teamCost, "$1,050,000");
    follower.edited(count(StaffLine::ReRolls), "2");
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "$80,000");
    // Amounts on the way to the one typed fall back to plain gold pieces.
    follower.edited(player(11), "7");
    EXPECT_EQ(follower.texts().teamCost, "$1,130,007");
    follower.edited(player(11), "7k");
    EXPECT_EQ(follower.texts().teamCost, "$1,137,000");
}

TEST(FollowUp, AWizardHiredAndAnApothecaryLet)
{
    TotalsFollower follower = followerOf(samplePageMoney());
    follower.edited(count(StaffLine::Wizard), "1");
    follower.edited(count(StaffLine::Apothecary), "0");
    EXPECT_EQ(follower.texts().line(StaffLine::Wizard).cost, "150k");
    EXPECT_EQ(follower.texts().line(StaffLine::Apothecary).cost, "");
    EXPECT_EQ(follower.texts().teamCost, "1,270k");
}

TEST(FollowUp, UnreadablePartsComputeNothingUntilTheyCanBeRead)
{
    TotalsFollower follower = followerOf(samplePageMoney());
    for (const char* text : {"-1", "", "three", "99999999999999999"}) {
        EXPECT_TRUE(follower.edited(count(StaffLine::ReRolls), text).empty()) << text;
        EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "120k");
    }
    follower.edited(count(StaffLine::ReRolls), "3");
    EXPECT_TRUE(follower.edited(price(StaffLine::ReRolls), "x $ =").empty());
    follower.edited(price(StaffLine::ReRolls), "x $5 =");
    follower.edited(price(StaffLine::ReRolls), "x $50k =");
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "150k");
    EXPECT_EQ(follower.texts().teamCost, "1,200k");

    // A player value on its way in: "$" means nothing yet.
    EXPECT_TRUE(follower.edited(player(11), "$").empty());
    EXPECT_EQ(teamValueStatus(follower.texts()), "Team value unknown: the cost of player 11");
    follower.edited(player(11), "$70k");
    EXPECT_EQ(follower.texts().teamCost, "1,270k");

    // Far too many re-rolls: a cost above 2^53 gold pieces is never written.
    follower.edited(count(StaffLine::ReRolls), "1000000");
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "50000000k");
    EXPECT_TRUE(follower.edited(count(StaffLine::ReRolls), "999999999999").empty());
    EXPECT_EQ(follower.texts().line(StaffLine::ReRolls).cost, "50000000k");
}

TEST(FollowUp, APageWithoutCostsFillsThemInOnEdits)
{
    MoneyTexts page;
    for (StaffLineTexts& line : page.lines)
        line = {"0", "x $10k =", ""};
    page.line(StaffLine::FanFactor) = {"-1", "x $10k =", ""};
    TotalsFollower follower = followerOf(page);
    follower.edited(count(StaffLine::FanFactor), "3");
    follower.edited(player(1), "50k");
    EXPECT_EQ(follower.texts().line(StaffLine::FanFactor).cost, "30k");
    EXPECT_EQ(follower.texts().teamCost, "80k");
}

// Property tests over generated rosters and edits.
namespace {

class RosterGenerator
{
public:
    explicit RosterGenerator(std::uint64_t seed) : m_random(seed) {}

    int below(int n) { return static_cast<int>(m_random() % static_cast<std::uint64_t>(n)); }

    const char* look() { return pick(m_looks); }

    std::string amountText()
    {
        switch (below(8)) {
        case 0:
            return "";
        case 1:
            return pick(m_unknown);
        default:
            return formatMoneyLike(GoldPieces{below(40) * 5'000 + (below(6) == 0 ? below(999) : 0)}, look());
        }
    }

    std::string countText()
    {
        switch (below(12)) {
        case 0:
            return "-1";
        case 1:
            return "";
        case 2:
            return "three";
        case 3:
            return "1000000";
        default:
            return std::to_string(below(9));
        }
    }

    std::string priceText() { return pick(m_prices); }

    // A roster whose costs and total state their parts, or, with mixed, one
    // with hand-typed texts among them too.
    MoneyTexts roster(bool mixed)
    {
        MoneyTexts texts;
        for (std::string& playerCost : texts.playerCosts)
            playerCost =
                below(3) == 0 ? "" : formatMoneyLike(GoldPieces{50'000 + below(30) * 10'000}, look());
        for (StaffLineTexts& line : texts.lines) {
            line.count = std::to_string(below(9));
            line.price = pick(m_knownPrices);
            const GoldPieces parts = lineExpectedCost(line).amount;
            line.cost = parts == 0 ? "" : formatMoneyLike(parts, look());
            if (mixed && below(3) == 0) {
                line.count = countText();
                line.cost = amountText();
            }
        }
        texts.teamCost = formatMoneyLike(teamSum(texts).value.amount, look());
        if (mixed && below(2) == 0)
            texts.teamCost = amountText();
        return texts;
    }

    // A cell a user may edit, and what they type there.
    std::pair<MoneyCell, std::string> edit(bool readable)
    {
        const auto line = below(StaffLineCount);
        switch (below(6)) {
        case 0:
            return {{MoneyCell::Kind::PlayerCost, below(RosterPlayerCount)},
                    readable ? knownAmount() : amountText()};
        case 1:
        case 2:
            return {{MoneyCell::Kind::LineCount, line}, readable ? std::to_string(below(9)) : countText()};
        case 3:
            return {{MoneyCell::Kind::LinePrice, line}, readable ? pick(m_knownPrices) : priceText()};
        case 4:
            return {{MoneyCell::Kind::LineCost, line}, readable ? knownAmount() : amountText()};
        default:
            return {TeamCost, readable ? knownAmount() : amountText()};
        }
    }

private:
    template <typename T, std::size_t N> T pick(const T (&items)[N])
    {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

    std::string knownAmount() { return formatMoneyLike(GoldPieces{below(40) * 5'000}, look()); }

    std::mt19937_64 m_random;
    const char* m_looks[6] = {"50k", "1,170k", "$1,170,000", "90 kgp", "1.2M", "120k gp"};
    const char* m_unknown[4] = {"ninety", "1.170k", "90k?", "$"};
    const char* m_knownPrices[4] = {"x $10k =", "x $40k =", "x $150k =", "x 50,000 ="};
    const char* m_prices[6] = {"x $10k =", "x $40k =", "x $150k =", "x 50,000 =", "x $ =", ""};
};

bool lineIsInconsistent(StaffLine which, const StaffLineTexts& line)
{
    return lineAgreement(line) == Agreement::Disagrees && !lineCostIsWorkedOut(which, line);
}

bool totalIsInconsistent(const MoneyTexts& texts)
{
    return !parseMoney(texts.teamCost).isBlank() &&
           totalAgreement(texts, teamSum(texts)) == Agreement::Disagrees;
}

bool allConsistent(const MoneyTexts& texts)
{
    for (const StaffLineTexts& line : texts.lines) {
        if (lineAgreement(line) != Agreement::Agrees)
            return false;
    }
    return totalAgreement(texts, teamSum(texts)) == Agreement::Agrees;
}

} // namespace

TEST(FollowUpProperty, ConsistentRostersStayConsistent)
{
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        RosterGenerator generate(seed);
        const MoneyTexts start = generate.roster(false);
        ASSERT_TRUE(allConsistent(start)) << "seed " << seed;
        TotalsFollower follower = followerOf(start);
        for (int step = 0; step < 40; ++step) {
            const auto [cell, text] = generate.edit(true);
            // A cost or total the user types is theirs, right or wrong.
            if (cell.kind == MoneyCell::Kind::LineCost || cell.kind == MoneyCell::Kind::TeamCost)
                continue;
            follower.edited(cell, text);
            ASSERT_TRUE(allConsistent(follower.texts()))
                << "seed " << seed << " step " << step << ": " << cellName(cell) << " = " << text;
        }
    }
}

TEST(FollowUpProperty, NeverChangesATextThatDisagreedWithItsParts)
{
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        RosterGenerator generate(seed);
        TotalsFollower follower = followerOf(generate.roster(true));
        for (int step = 0; step < 60; ++step) {
            const MoneyTexts before = follower.texts();
            const auto [cell, text] = generate.edit(generate.below(2) == 0);
            const std::vector<TotalsFollower::Change> changes = follower.edited(cell, text);

            MoneyTexts expected = before;
            textOf(expected, cell) = text;
            for (const auto& [changed, newText] : changes) {
                // Follow-up writes costs and the total, never what the user just typed.
                ASSERT_TRUE(changed.kind == MoneyCell::Kind::LineCost ||
                            changed.kind == MoneyCell::Kind::TeamCost);
                ASSERT_NE(changed, cell);
                if (changed.kind == MoneyCell::Kind::LineCost) {
                    const auto which = static_cast<StaffLine>(changed.index);
                    ASSERT_FALSE(lineIsInconsistent(which, before.line(which)))
                        << "seed " << seed << " step " << step << ": " << cellName(changed);
                    ASSERT_TRUE(lineExpectedCost(follower.texts().line(which)).isKnown());
                } else {
                    ASSERT_FALSE(totalIsInconsistent(before)) << "seed " << seed << " step " << step;
                    ASSERT_TRUE(teamSum(follower.texts()).value.isKnown());
                }
                textOf(expected, changed) = newText;
            }
            ASSERT_EQ(follower.texts(), expected) << "seed " << seed << " step " << step;
        }
    }
}
