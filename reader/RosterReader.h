#pragma once

#include "MatchRecord.h"
#include "PageFile.h"
#include "TTeam.h"

// Reads the page. On success replaces team and matchRecord whole; on failure throws
// EConvertError (UTF-8 message "'<text>' is not a valid integer value", the text decoded
// with page.encoding), or ELimitError "Match record too large", and leaves both
// exactly as they were. A page that gives no match record and no field of a
// team but its name, colours and faces (a text file, an image, any other web
// page) throws ENotRosterPage("Not a roster page"), leaving both as they were too.
void readRosterPage(const PageLines& page, TTeam& team, MatchRecord& matchRecord);
