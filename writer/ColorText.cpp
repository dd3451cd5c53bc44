#include "ColorText.h"

#include "ByteText.h"

#include <cstdio>

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

std::string shiftHighDigits(std::string text, char (*shift)(char))
{
    for (std::size_t i = 0; i < text.size(); i += 2)
        text[i] = shift(text[i]);
    return text;
}

} // namespace

std::string ColorToHTML(TColor color)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(color));
    const std::string written(hex);
    return written.substr(4, 2) + written.substr(2, 2) + written.substr(0, 2);
}

char LightenDigit(char digit)
{
    const int value = hexDigitValue(digit) + 4;
    return hexDigits[value > 15 ? 15 : value];
}

char DarkenDigit(char digit)
{
    const int value = hexDigitValue(digit) - 4;
    return hexDigits[value < 0 ? 0 : value];
}

std::string LightBorder(const std::string& colorText)
{
    return shiftHighDigits(colorText, LightenDigit);
}

std::string DarkBorder(const std::string& colorText)
{
    return shiftHighDigits(colorText, DarkenDigit);
}
