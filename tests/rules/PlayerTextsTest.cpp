#include "PlayerTexts.h"

#include <gtest/gtest.h>

TEST(PlayerTexts, SkillsAdvancesAndInjuries)
{
    struct Row
    {
        const char* skills;
        QStringList named;
        Profile gained;
    };
    const Row rows[] = {
        {"", {}, {}},
        {"Block, Thick Skull", {"Block", "Thick Skull"}, {}},
        {" Block ;Dodge,, ", {"Block", "Dodge"}, {}},
        {"+1 MA, +MA, +2st, + 1 AV", {}, {2, 2, 0, 1}},
        {"Block, +1 AG", {"Block"}, {0, 0, 1, 0}},
        // Not advances: no sign first, no characteristic, a nought.
        {"MA+1, +1 Block, +0 MA, +1 MAX", {"MA+1", "+1 Block", "+0 MA", "+1 MAX"}, {}},
        // An injury in the skills cell is no advance.
        {"-1 AV", {"-1 AV"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.skills);
        const SkillsText read = readSkillsText(QString::fromUtf8(row.skills));
        EXPECT_EQ(read.skills, row.named);
        EXPECT_EQ(read.gained, row.gained);
    }

    EXPECT_EQ(injuryLosses(u"Niggling Injury, -1 MA, -AV; -1 av"), (Profile{1, 0, 0, 2}));
    EXPECT_EQ(injuryLosses(u"+1 MA, Miss Next Game"), Profile{});
}
