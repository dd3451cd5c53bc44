#include "StrictCountRules.h"

#include "CellWalk.h"
#include "Errors.h"
#include "IntegerText.h"
#include "ItemCells.h"
#include "LineCleanup.h"

#include <vector>

namespace {

struct CountRule
{
    std::string_view firstWord;
    std::string_view startWord;
    std::int32_t TTeam::*count;
    // Null for the team rating, which has no price or cost.
    std::string TTeam::*price;
    std::string TTeam::*cost;
};

// In scan order; the index is also the tie-break between errors on one line.
constexpr std::array<CountRule, 3> countRules{{
    {"RE", "ROLLS", &TTeam::ReRolls, &TTeam::ReRollPriceText, &TTeam::ReRollCostText},
    {"FAN", "FACTOR", &TTeam::FanFactor, &TTeam::FanFactorPriceText, &TTeam::FanFactorCostText},
    {"TEAM", "RATING", &TTeam::TeamRating, nullptr, nullptr},
}};

std::vector<std::size_t> occurrences(std::string_view text, std::string_view word)
{
    std::vector<std::size_t> found;
    for (std::size_t pos = text.find(word); pos != std::string_view::npos; pos = text.find(word, pos + 1))
        found.push_back(pos);
    if (found.empty())
        found.push_back(0);
    return found;
}

} // namespace

void StrictCountRules::apply(const PageLine& line, std::size_t lineIndex, TTeam& team)
{
    for (std::size_t i = 0; i < countRules.size(); ++i) {
        const CountRule& rule = countRules[i];
        if (!line.has(rule.firstWord) || !line.has(rule.startWord) || team.*rule.count != -1)
            continue;

        Progress& progress = m_progress[i];
        for (const std::size_t start : occurrences(line.cleanedUpper(), rule.startWord)) {
            std::string_view remainder = remainderFrom(line, start);
            SkipPastPipe(remainder);
            StripLeadingPipe(remainder);
            if (!rule.price)
                CutAtPipe(remainder);
            const std::string_view text = rule.price ? countText(remainder) : remainder;
            if (trimmed(text).empty())
                continue;
            const std::optional<std::int32_t> value = strictToInt(text);
            if (!value) {
                if (!progress.errorLine) {
                    progress.errorLine = lineIndex;
                    progress.errorText = text;
                }
                continue;
            }
            team.*rule.count = *value;
            progress.converted = true;
            if (rule.price)
                readCountedItemTexts(remainder, team.*rule.price, team.*rule.cost);
            break;
        }
    }
}

void StrictCountRules::finish(TextEncoding encoding) const
{
    const Progress* failed = nullptr;
    for (const Progress& progress : m_progress) {
        if (progress.converted || !progress.errorLine)
            continue;
        if (!failed || *progress.errorLine < *failed->errorLine)
            failed = &progress;
    }
    if (failed)
        throw EConvertError("'" + decodeText(failed->errorText, encoding).toStdString() +
                            "' is not a valid integer value");
}
