#include "CellWalk.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct StepCase
{
    const char* name;
    std::function<void(std::string_view&)> step;
    std::string_view before;
    std::string_view after;
};

} // namespace

TEST(CellWalk, StepsMoveAndTrimTheRemainder)
{
    const StepCase cases[] = {
        {"SkipPastPipe", SkipPastPipe, "Rolls:|| 3 ||", "| 3 ||"},
        {"SkipPastPipe without pipe", SkipPastPipe, " 3 ", " 3 "},
        {"ToNextPipe", ToNextPipe, "3 || x", "|| x"},
        {"ToNextPipe at a pipe leaves it untrimmed", ToNextPipe, "|| x ", "|| x "},
        {"ToNextPipe without pipe", ToNextPipe, " 3 ", " 3 "},
        {"StripLeadingPipe", StripLeadingPipe, "| | x", "| x"},
        {"StripLeadingPipe without leading pipe", StripLeadingPipe, " |x", " |x"},
        {"CutAtPipe", CutAtPipe, " 50k |x", "50k"},
        {"CutAtPipe without pipe", CutAtPipe, " 50k ", " 50k "},
    };
    for (const StepCase& c : cases) {
        std::string_view remainder = c.before;
        c.step(remainder);
        EXPECT_EQ(remainder, c.after) << c.name;
    }
}

TEST(CellWalk, TakeCellAndNextCellYieldCells)
{
    EXPECT_EQ(TakeCell("x $10k =|50k|"), "x $10k =");
    EXPECT_EQ(TakeCell("50k"), "");

    std::string_view threePipes = "|||5|";
    EXPECT_EQ(NextCell(threePipes), "");

    // A row cleaned from "<TR><TD>3</TD><TD ALIGN=LEFT>Name</TD></TR>".
    std::string_view row = "3||Name||";
    EXPECT_EQ(TakeCell(row), "3");
    EXPECT_EQ(NextCell(row), "Name");
    EXPECT_EQ(NextCell(row), "");
}
