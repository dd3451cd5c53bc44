#include "RosterReader.h"

#include "Errors.h"

#include "MatchRecordRules.h"
#include "PageLookRules.h"
#include "PlayerRowRules.h"
#include "ScanState.h"
#include "StrictCountRules.h"
#include "TeamFieldRules.h"

namespace {

// Any web page has a title and a look. A page that gives nothing beyond them
// (no field of a team, no match record) holds no roster; taking it for an
// empty one would replace the team on screen with nothing.
bool holdsNoRoster(const ScanState& state)
{
    if (state.matchRecordOpen)
        return false;
    const TTeam start = readerStartTeam();
    TTeam rest = state.team;
    rest.TeamName = start.TeamName;
    rest.BackgroundColor = start.BackgroundColor;
    rest.TableColor = start.TableColor;
    rest.HeadingsColor = start.HeadingsColor;
    rest.TableFontColor = start.TableFontColor;
    rest.HeadingFontColor = start.HeadingFontColor;
    rest.TableFontName = start.TableFontName;
    rest.HeadingFontName = start.HeadingFontName;
    return rest == start;
}

} // namespace

void readRosterPage(const PageLines& page, TTeam& team, MatchRecord& matchRecord)
{
    ScanState state{readerStartTeam(), defaultMatchRecord()};
    StrictCountRules countRules;

    // Every line passes every rule, in this order; later rules see what
    // earlier ones did to the same line.
    PageLine line;
    std::size_t i = 0;
    for (const std::string_view raw : page.lines) {
        line.reset(raw);
        // An empty line holds no keyword and no cell: no rule acts on it.
        if (raw.empty()) {
            ++i;
            continue;
        }
        readTeamName(line, state.team);
        applyPageLookRules(line, state);
        readCoachAndRace(line, state.team);
        countRules.apply(line, i, state.team);
        readStaffAndMoney(line, state.team);
        applyPlayerRowRules(line, state);
        applyMatchRecordRules(line, state);
        ++i;
    }
    countRules.finish(page.encoding);
    if (holdsNoRoster(state))
        throw ENotRosterPage("Not a roster page");

    team = std::move(state.team);
    matchRecord = std::move(state.matchRecord);
}
