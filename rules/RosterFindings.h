#pragma once

#include "LeagueRules.h"
#include "RosterSheet.h"
#include "SheetTotals.h"

#include <QString>

#include <vector>

// What a roster does against its league's rules: the cell it is about, so
// that the editor can select and mark it, and a sentence for the coach such as
// "player 3 (Runner): skill Pass (Passing) is outside the categories a Runner
// takes (General, Strength)".
struct RulesFinding
{
    enum class Severity
    {
        Error,   // the roster breaks a rule
        Warning, // the roster looks wrong but may be what the coach meant
    };

    Severity severity = Severity::Error;
    SheetCellRef cell;
    QString text;

    bool operator==(const RulesFinding&) const = default;
};

const char* severityName(RulesFinding::Severity severity);

// Every finding of the roster, team-wide ones first, then player by player.
// Reads the sheet only; a full team takes a few microseconds, so the editor
// can call it after every keystroke.
std::vector<RulesFinding> rosterFindings(const RosterSheet& sheet, const LeagueRules& rules);

bool hasErrorFinding(const std::vector<RulesFinding>& findings);
