#include "ItemCells.h"

#include "CellWalk.h"
#include "LineCleanup.h"

namespace {

bool isYes(std::string_view text)
{
    return text == "1" || upperCased(text) == "YES";
}

bool isNo(std::string_view text)
{
    return text == "0" || upperCased(text) == "NO";
}

void readPriceAndCost(std::string_view remainder, std::string& price, std::string& cost)
{
    if (!holds(upperCased(remainder), 'X'))
        return;
    price = TakeCell(remainder);
    cost = NextCell(remainder);
}

} // namespace

std::string_view remainderFrom(const PageLine& line, std::size_t index)
{
    const std::string_view cleaned = line.cleaned();
    return index < cleaned.size() ? cleaned.substr(index) : std::string_view{};
}

std::string_view ruleRemainder(const PageLine& line, std::string_view startWord, std::size_t offset)
{
    const std::size_t found = line.cleanedUpper().find(startWord);
    if (found != std::string::npos)
        return remainderFrom(line, found + offset);
    return remainderFrom(line, offset > 0 ? offset - 1 : 0);
}

std::string_view countText(std::string_view remainder)
{
    return holds(remainder, '|') ? TakeCell(remainder) : remainder;
}

void readCountedItemTexts(std::string_view remainder, std::string& price, std::string& cost)
{
    if (!holds(remainder, '|'))
        return;
    ToNextPipe(remainder);
    StripLeadingPipe(remainder);
    StripLeadingPipe(remainder);
    readPriceAndCost(remainder, price, cost);
}

void readYesNoItem(std::string_view remainder, LoneValue loneValue, bool& flag, std::string& price,
                   std::string& cost)
{
    if (!holds(remainder, '|')) {
        flag = loneValue == LoneValue::YesMeansTrue ? isYes(remainder) : !isNo(remainder);
        return;
    }
    flag = isYes(TakeCell(remainder));
    readCountedItemTexts(remainder, price, cost);
}
