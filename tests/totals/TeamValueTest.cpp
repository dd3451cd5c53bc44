#include "TeamValue.h"
#include "SampleMoney.h"

#include <gtest/gtest.h>

namespace {

MoneyCell player(int number)
{
    return {MoneyCell::Kind::PlayerCost, number - 1};
}

MoneyCell lineCost(StaffLine line)
{
    return {MoneyCell::Kind::LineCost, static_cast<int>(line)};
}

} // namespace

TEST(TeamValue, CountsAndPrices)
{
    EXPECT_EQ(parseCount("3"), (Count{Count::Kind::Known, 3}));
    EXPECT_EQ(parseCount(" 007 "), (Count{Count::Kind::Known, 7}));
    EXPECT_EQ(parseCount("1000000"), (Count{Count::Kind::Known, 1'000'000}));
    EXPECT_EQ(parseCount("-1").kind, Count::Kind::NotGiven);
    EXPECT_EQ(parseCount("").kind, Count::Kind::NotGiven);
    for (const char* text : {"three", "3.0", "+3", "1,000,000", "3 4", "-", "-x", "99999999999999999"})
        EXPECT_EQ(parseCount(text).kind, Count::Kind::NotACount) << text;

    EXPECT_EQ(parsePrice("x $40k ="), Money::known(40'000));
    EXPECT_EQ(parsePrice("x $150k ="), Money::known(150'000));
    EXPECT_EQ(parsePrice("  X 10,000 gp= "), Money::known(10'000));
    EXPECT_EQ(parsePrice("\xC3\x97 $50k ="), Money::known(50'000));
    EXPECT_EQ(parsePrice("$20k"), Money::known(20'000));
    for (const char* text : {"x $ =", "x =", "", "x", "x about 40k =", "x $40k? ="})
        EXPECT_TRUE(parsePrice(text).isUnknown()) << text;
}

TEST(TeamValue, LineCostIsCountTimesPriceOrUnknown)
{
    struct Case
    {
        StaffLineTexts line;
        Money expected;
    };
    const Case cases[] = {
        {{"3", "x $40k =", ""}, Money::known(120'000)},
        {{"0", "x $40k =", ""}, Money::known(0)},
        {{"1000000", "x $40k =", ""}, Money::known(40'000'000'000)},
        {{"-1", "x $10k =", ""}, Money::unknown()},
        {{"three", "x $10k =", ""}, Money::unknown()},
        {{"3", "x $ =", ""}, Money::unknown()},
        {{"3", "x ninety =", ""}, Money::unknown()},
        // 2^53 gold pieces at most: a product beyond is unknown, not wrapped.
        {{"9999999999999999", "x $150k =", ""}, Money::unknown()},
        {{"60047", "x 150,000,000,000 =", ""}, Money::known(60047 * GoldPieces{150'000'000'000})},
        {{"60048", "x 150,000,000,000 =", ""}, Money::unknown()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lineExpectedCost(c.line), c.expected) << c.line.count << " " << c.line.price;
}

TEST(TeamValue, WhichCostsCountAsWorkedOut)
{
    struct Case
    {
        StaffLine which;
        StaffLineTexts line;
        Agreement agreement;
        bool workedOut;
    };
    const Case cases[] = {
        {StaffLine::ReRolls, {"3", "x $40k =", "120k"}, Agreement::Agrees, true},
        {StaffLine::ReRolls, {"3", "x $40k =", "$120,000"}, Agreement::Agrees, true},
        {StaffLine::ReRolls, {"3", "x $40k =", "130k"}, Agreement::Disagrees, false},
        {StaffLine::ReRolls, {"3", "x $40k =", ""}, Agreement::Disagrees, true},
        {StaffLine::ReRolls, {"0", "x $40k =", ""}, Agreement::Agrees, true},
        {StaffLine::ReRolls, {"3", "x $40k =", "lots"}, Agreement::Unverifiable, false},
        {StaffLine::ReRolls, {"-1", "x $40k =", "120k"}, Agreement::Unverifiable, false},
        // The roster derives ten thousand a head when a page gives no cost,
        // whatever the price says.
        {StaffLine::FanFactor, {"4", "x $20k =", "40k"}, Agreement::Disagrees, true},
        {StaffLine::FanFactor, {"4", "x $20k =", "45k"}, Agreement::Disagrees, false},
        {StaffLine::Apothecary, {"1", "x $60k =", "50k"}, Agreement::Disagrees, true},
        {StaffLine::Wizard, {"1", "x ? =", "150k"}, Agreement::Unverifiable, true},
        {StaffLine::ReRolls, {"4", "x $20k =", "40k"}, Agreement::Disagrees, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lineAgreement(c.line), c.agreement)
            << c.line.count << " " << c.line.price << " " << c.line.cost;
        EXPECT_EQ(lineCostIsWorkedOut(c.which, c.line), c.workedOut) << c.line.cost;
    }
}

TEST(TeamValue, SumOfPlayersAndStaff)
{
    MoneyTexts texts = samplePageMoney();
    EXPECT_EQ(teamSum(texts).value, Money::known(1'170'000));
    EXPECT_EQ(totalAgreement(texts, teamSum(texts)), Agreement::Agrees);
    EXPECT_EQ(teamValueStatus(texts), "Team value 1,170k");
    EXPECT_TRUE(moneyMarks(texts).empty());

    // Neither the treasury nor the counts are part of it.
    texts.treasury = "1,000k";
    texts.line(StaffLine::Wizard).count = "1";
    EXPECT_EQ(teamSum(texts).value, Money::known(1'170'000));

    texts.playerCosts[10] = "70k";
    EXPECT_EQ(teamValueStatus(texts), "Team value 1,240k - the page says 1,170k");
    texts.teamCost = "$1,170,000";
    EXPECT_EQ(teamValueStatus(texts), "Team value $1,240,000 - the page says $1,170,000");
    texts.teamCost = "1.170k";
    EXPECT_EQ(teamValueStatus(texts), "Team value 1240k - the page says 1.170k");
    texts.teamCost = "";
    EXPECT_EQ(teamValueStatus(texts), "Team value 1240k");
}

TEST(TeamValue, UnknownInUnknownOut)
{
    MoneyTexts texts = samplePageMoney();
    texts.playerCosts[10] = "ninety";
    EXPECT_TRUE(teamSum(texts).value.isUnknown());
    EXPECT_EQ(teamSum(texts).unknownCell, player(11));
    EXPECT_EQ(teamValueStatus(texts), "Team value unknown: the cost of player 11");
    EXPECT_EQ(totalAgreement(texts, teamSum(texts)), Agreement::Unverifiable);

    texts = samplePageMoney();
    texts.line(StaffLine::Cheerleaders).cost = "20k?";
    EXPECT_EQ(teamValueStatus(texts), "Team value unknown: the cheerleader cost");

    // Each amount may be exact while their sum is not.
    texts = samplePageMoney();
    texts.playerCosts[0] = "9,007,199,254,000,000";
    EXPECT_EQ(teamValueStatus(texts), "Team value unknown: the sum is too large at the cost of player 12");
    texts.playerCosts[11] = "ninety";
    EXPECT_EQ(teamValueStatus(texts), "Team value unknown: the cost of player 12");
    texts = samplePageMoney();
    texts.playerCosts[0] = "9,007,199,254,740,992";
    EXPECT_EQ(unknownReason(teamSum(texts)), "the sum is too large at the cost of player 2");
}

TEST(TeamValue, MarksSayWhy)
{
    MoneyTexts texts = samplePageMoney();
    texts.playerCosts[4] = "ninety";
    texts.line(StaffLine::ReRolls).count = "5";
    texts.line(StaffLine::FanFactor).count = "four";
    texts.line(StaffLine::AssistantCoaches).price = "x $ =";
    texts.line(StaffLine::Cheerleaders).count = "3";
    texts.line(StaffLine::Cheerleaders).cost = "";
    texts.treasury = "lots";
    const std::vector<MoneyMark> expected = {
        {player(5), "Cannot tell what amount \"ninety\" is"},
        {lineCost(StaffLine::ReRolls), "Disagrees with 5 x 40k = 200k"},
        {{MoneyCell::Kind::LineCount, 1}, "Not a count: \"four\" gives no cost"},
        {{MoneyCell::Kind::LinePrice, 2}, "No price can be read in \"x $ =\""},
        {lineCost(StaffLine::Cheerleaders), "Empty, but 3 x 10k = 30k"},
        {{MoneyCell::Kind::Treasury, 0}, "Cannot tell what amount \"lots\" is"},
    };
    EXPECT_EQ(moneyMarks(texts), expected);

    texts = samplePageMoney();
    texts.playerCosts[10] = "70k";
    ASSERT_EQ(moneyMarks(texts).size(), 1u);
    EXPECT_EQ(moneyMarks(texts)[0],
              (MoneyMark{{MoneyCell::Kind::TeamCost, 0},
                         "Disagrees with the players and staff, who add up to 1,240k"}));
    texts.teamCost = "";
    EXPECT_EQ(moneyMarks(texts)[0].reason, "Empty, but the players and staff add up to 1240k");
}
