// Feeds arbitrary bytes to the page loader and the reader: every input must end
// in a team, the conversion error, the refusal of a page that is no roster or
// the match record's limit, with a match record of the size it claims and texts
// that decode. The same bytes then fill
// the cells of a sheet whose page is read back: the read-back check before a
// save must flag a difference exactly when a plain comparison finds one.
#include "Errors.h"
#include "RosterReader.h"
#include "SaveRoundTrip.h"

#include <cstdint>
#include <cstdlib>

namespace {

void readAsPage(const std::uint8_t* data, std::size_t size)
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
        return;
    } catch (const ENotRosterPage&) {
        return;
    } catch (const ELimitError&) {
        return;
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    readAsPage(data, size);
    if (!saveroundtrip::checkAgrees(std::string_view(reinterpret_cast<const char*>(data), size)))
        std::abort();
    return 0;
}
