#include "RosterReader.h"

#include "Errors.h"

#include "MatchRecordRules.h"
#include "PageLookRules.h"
#include "PlayerRowRules.h"
#include "ScanState.h"
#include "StrictCountRules.h"
#include "TeamFieldRules.h"

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
    // A text file, an image or a page of some other kind sets nothing; taking
    // it for an empty roster would replace the team on screen with nothing.
    if (!state.matchRecordOpen && state.team == readerStartTeam())
        throw ENotRosterPage("Not a roster page");

    team = std::move(state.team);
    matchRecord = std::move(state.matchRecord);
}
