#include "IntegerText.h"

#include <gtest/gtest.h>

TEST(IntegerText, StrictConversionAcceptsWholeNumbersOnly)
{
    const std::pair<std::string_view, std::optional<std::int32_t>> cases[] = {
        {"120", 120},
        {"  -1", -1},
        {"+7", 7},
        {"$ff", 255},
        {"$7FFFFFFF", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"$FFFFFFFF", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"12O", std::nullopt},
        {"A", std::nullopt},
        {"1a", std::nullopt},
        {"$A", 10},
        {"$10", 16},
        {"3 ", std::nullopt},
        {"\t3", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"-$10", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(strictToInt(text), value) << text;
}

TEST(IntegerText, LenientConversionFallsBack)
{
    EXPECT_EQ(lenientToInt("42"), 42);
    EXPECT_EQ(lenientToInt("forty"), 0);
    EXPECT_EQ(lenientToInt("4294967296"), 0);
    EXPECT_EQ(lenientToInt("1|", 1), 1);
}
