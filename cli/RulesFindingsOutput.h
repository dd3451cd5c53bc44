#pragma once

#include "JsonWriter.h"
#include "RosterFindings.h"

#include <string>
#include <vector>

// How check --rules prints a page's findings: one line each, "PAGE: player 3
// (Runner): skill Pass (Passing) is outside the Runner's categories (General)
// (error)", or as a "Findings" array of the page's JSON object.
std::string findingLines(const std::string& path, const std::vector<RulesFinding>& findings);
// A file name or a page's text in one line of plain output: a line break would
// pass for the end of the line, and a terminal would act on other control
// characters, so they and the backslash are written as escapes ("\n",
// "\x1b", "\\").
std::string escapedText(const std::string& text);
void writeFindingsJson(JsonWriter& json, const std::vector<RulesFinding>& findings);
