#pragma once

#include "MatchRecord.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <string>

// The JSON object of a read page: every field of the team under its own name in
// the order of the record, then "MatchRecord". Texts are decoded with the
// page's encoding; colours are shown as unsigned 32-bit values.
std::string teamJson(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding);
