#pragma once

#include "PageLine.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <array>
#include <optional>
#include <string>

// Re-rolls, fan factor and team rating: read from the first line that gives a
// whole number, as long as the field still holds -1.
//
// A line may hold the start word more than once (a team called Rolls Reavers
// has "ROLLS" in its name cell before the re-roll label), so each occurrence
// is tried in turn and the first one whose value converts wins. Empty values
// (a cleared cell) are passed over. A value that does not convert is passed
// over too, but remembered: if the page never gives the field a value, the read
// fails with the first such text, as it would have without the retry.
class StrictCountRules
{
public:
    void apply(const PageLine& line, std::size_t lineIndex, TTeam& team);

    // After the last line. Throws EConvertError for the earliest remembered
    // text of a field that no line gave a value.
    void finish(TextEncoding encoding) const;

private:
    struct Progress
    {
        bool converted = false;
        std::optional<std::size_t> errorLine;
        std::string errorText;
    };

    std::array<Progress, 3> m_progress;
};
