// Feeds arbitrary bytes to the page loader and the reader: every input must end
// in a team or in the conversion error, with a match record of the size it
// claims and texts that decode.
#include "Errors.h"
#include "RosterReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const PageLines page = splitPageBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string_view line : page.lines) {
        if (line.size() > PageLineLimit)
            std::abort();
    }

    TTeam team;
    MatchRecord record;
    try {
        readRosterPage(page, team, record);
    } catch (const EConvertError&) {
        return 0;
    } catch (const ELimitError&) {
        return 0;
    }

    if (record.RowCount < 1 || record.ColCount < 1 ||
        record.Cells.size() != static_cast<std::size_t>(record.RowCount))
        std::abort();
    for (const std::vector<std::string>& row : record.Cells) {
        if (row.size() > static_cast<std::size_t>(record.ColCount))
            std::abort();
        for (const std::string& cell : row)
            decodeText(cell, page.encoding);
    }
    decodeText(team.TeamName, page.encoding);
    decodeText(team.HeadingFontName, page.encoding);
    return 0;
}
