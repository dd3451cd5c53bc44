#include "PlayerRowRules.h"

#include "CellWalk.h"
#include "IntegerText.h"
#include "LineCleanup.h"

#include <optional>

namespace {

// The slot a row names: its first character, or its first two when that is a
// "1" followed by a digit. No slot for a row that does not begin with a digit
// or names a slot outside 1 to 16.
std::optional<int> rowSlot(std::string_view remainder)
{
    const std::optional<std::int32_t> first = strictToInt(remainder.substr(0, 1));
    if (!first)
        return std::nullopt;
    const std::int32_t slot = *first == 1 ? lenientToInt(remainder.substr(0, 2), 1) : *first;
    if (slot < 1 || slot > PlayerSlotCount)
        return std::nullopt;
    return slot;
}

std::int32_t nextNumber(std::string_view& remainder)
{
    return lenientToInt(NextCell(remainder));
}

std::string nextSkills(std::string_view& remainder)
{
    const std::string_view skills = NextCell(remainder);
    return skills == "0" ? std::string() : std::string(skills);
}

void readPlayerRow(const PageLine& line, ScanState& state)
{
    // A row begins with its slot number.
    if (!line.mayHoldDigit())
        return;
    std::string_view remainder = trimmed(line.cleaned());
    while (remainder.starts_with('|'))
        StripLeadingPipe(remainder);

    const std::optional<int> slot = rowSlot(remainder);
    if (!slot)
        return;
    TPlayer& player = state.team.Players[*slot];

    SkipPastPipe(remainder);
    StripLeadingPipe(remainder);
    const std::string_view name = TakeCell(remainder);
    // A name of "0" marks a row without name, position, characteristics or
    // skills: the next cell is already the injuries.
    if (name == "0") {
        player.PlayerName.clear();
    } else {
        player.PlayerName = name;
        player.Position = NextCell(remainder);
        player.MA = nextNumber(remainder);
        player.ST = nextNumber(remainder);
        player.AG = nextNumber(remainder);
        player.AV = nextNumber(remainder);
        player.Skills = nextSkills(remainder);
    }
    player.Injuries = NextCell(remainder);
    player.Completions = nextNumber(remainder);
    player.Touchdowns = nextNumber(remainder);
    player.Interceptions = nextNumber(remainder);
    player.Casualties = nextNumber(remainder);
    player.MVPs = nextNumber(remainder);
    player.SPP = nextNumber(remainder);
    player.PlayerCost = NextCell(remainder);

    if (*slot == PlayerSlotCount)
        state.playerTableOpen = false;
}

} // namespace

void applyPlayerRowRules(const PageLine& line, ScanState& state)
{
    if (line.rawHas("/TABLE"))
        state.playerTableOpen = false;
    if (state.playerTableOpen)
        readPlayerRow(line, state);
    if (line.rawHas(">#<") && line.has("POSITION"))
        state.playerTableOpen = true;
}
