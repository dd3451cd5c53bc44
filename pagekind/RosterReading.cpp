#include "RosterReading.h"

#include "Errors.h"
#include "RosterPage.h"
#include "RosterReader.h"

#include <exception>

namespace {

// The page is another tool's when the importer makes more of it than the
// reader made of it: more players, or another name. An empty team stands for
// a page the reader found no roster in.
std::optional<ImportResult> otherToolImport(const std::string& path, const TTeam& read, TextEncoding encoding)
{
    try {
        ImportResult imported = importRosterFile(path);
        if (importFindsMore(imported, read, encoding))
            return imported;
    } catch (const TeamEditorError&) {
        // Nothing the importer can use either: the reader's word stands.
    }
    return std::nullopt;
}

} // namespace

RosterReading readAsRoster(const PageLines& page, const std::string& path)
{
    RosterReading reading;
    reading.encoding = page.encoding;
    const bool ownPage = !page.lines.empty() && isOwnPageStart(page.lines.front());
    std::exception_ptr noRoster;
    try {
        readRosterPage(page, reading.team, reading.matchRecord);
    } catch (const ENotRosterPage&) {
        noRoster = std::current_exception();
    }
    // This program's own pages skip the import, which costs many times the read.
    if (!ownPage) {
        reading.otherTool = otherToolImport(path, noRoster ? TTeam{} : reading.team, page.encoding);
        if (reading.otherTool) {
            reading.team = TTeam{};
            reading.matchRecord = MatchRecord{};
            return reading;
        }
    }
    if (noRoster)
        std::rethrow_exception(noRoster);
    return reading;
}
