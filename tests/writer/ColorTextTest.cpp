#include "ColorText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ColorText, DigitsMoveFourStepsWithinHexRange)
{
    const std::string digits = "0123456789ABCDEF";
    const std::string lightened = "456789ABCDEFFFFF";
    const std::string darkened = "00000123456789AB";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        SCOPED_TRACE(std::string(1, digits[i]));
        EXPECT_EQ(LightenDigit(digits[i]), lightened[i]);
        EXPECT_EQ(DarkenDigit(digits[i]), darkened[i]);
    }
}

struct ColorCase
{
    TColor color;
    const char* text;
    const char* light;
    const char* dark;
};

TEST(ColorText, TextAndBorders)
{
    const ColorCase cases[] = {
        {0x000000, "000000", "404040", "000000"},
        {0xFFFFFF, "FFFFFF", "FFFFFF", "BFBFBF"},
        {0x0000FF, "FF0000", "FF4040", "BF0000"},
        {0xFF0000, "0000FF", "4040FF", "0000BF"},
        {0x123456, "563412", "967452", "160402"},
        {0xD0FFFF, "FFFFD0", "FFFFF0", "BFBF90"},
        {0xA0D0D0, "D0D0A0", "F0F0E0", "909060"},
        {0x0000D5, "D50000", "F54040", "950000"},
        // System colour references and other wide values are cut at the same places.
        {0x80000008, "000080", "4040C0", "000040"},
        {0x1000000, "000010", "404050", "000000"},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text = ColorToHTML(c.color);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(LightBorder(text), c.light);
        EXPECT_EQ(DarkBorder(text), c.dark);
    }
}

} // namespace
