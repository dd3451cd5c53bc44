#pragma once

#include "JsonWriter.h"
#include "RosterFindings.h"

#include <string>
#include <vector>

// How check --rules prints a page's findings: one line each, "PAGE: player 3
// (Runner): skill Pass (Passing) is outside the Runner's categories (General)
// (error)", or as a "Findings" array of the page's JSON object.
std::string findingLines(const std::string& path, const std::vector<RulesFinding>& findings);
void writeFindingsJson(JsonWriter& json, const std::vector<RulesFinding>& findings);
