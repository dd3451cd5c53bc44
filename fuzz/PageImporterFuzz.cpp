// Feeds arbitrary bytes to the importer: every input must end in a team or in
// one of the importer's messages, with at most sixteen players, a match record
// of the size it claims, texts that are UTF-8 and no negative team count.
#include "Errors.h"
#include "RosterImporter.h"
#include "TextEncoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ImportResult result;
    try {
        result = importRosterPage(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const TeamEditorError&) {
        return 0;
    }

    const MatchRecord& record = result.matchRecord;
    if (result.playerCount < 0 || result.playerCount > PlayerSlotCount || record.RowCount < 1 ||
        record.ColCount < 1 || record.Cells.size() != static_cast<std::size_t>(record.RowCount))
        std::abort();
    for (const std::vector<std::string>& row : record.Cells) {
        if (row.size() > static_cast<std::size_t>(record.ColCount))
            std::abort();
        for (const std::string& cell : row) {
            if (detectEncoding(cell) != TextEncoding::Utf8)
                std::abort();
        }
    }
    for (const TPlayer& player : result.team.Players) {
        if (detectEncoding(player.PlayerName) != TextEncoding::Utf8 ||
            detectEncoding(player.Skills) != TextEncoding::Utf8)
            std::abort();
    }
    if (detectEncoding(result.team.TeamName) != TextEncoding::Utf8)
        std::abort();
    // A count the page does not give keeps its new-team value, never -1.
    const TTeam& team = result.team;
    for (const std::int32_t count :
         {team.ReRolls, team.FanFactor, team.TeamRating, team.AssistantCoaches, team.Cheerleaders}) {
        if (count < 0)
            std::abort();
    }
    return 0;
}
