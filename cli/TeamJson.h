#pragma once

#include "MatchRecord.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <functional>
#include <string>
#include <string_view>

// The JSON object of a read page: every field of the team under its own name in
// the order of the record, then "MatchRecord". Texts are decoded with the
// page's encoding; colours are shown as unsigned 32-bit values.
std::string teamJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding);

// How one page's object is written: pretty over many lines, or on one line
// with a first member "Page" holding the page's path (as UTF-8).
struct TeamJsonForm
{
    bool oneLine = false;
    std::string pagePath;
};

// The same JSON text handed to the sink in pieces as it is made, so that the
// whole text is never held at once. Stops handing over at the first piece the
// sink fails to take; returns false then.
bool writeTeamJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding,
                   const std::function<bool(std::string_view)>& sink, const TeamJsonForm& form = {});
