#include "RulesFindingsOutput.h"

namespace {

const char* gridName(SheetGrid grid)
{
    switch (grid) {
    case SheetGrid::Players:
        return "Players";
    case SheetGrid::Details:
        return "Details";
    case SheetGrid::Extras:
        return "Extras";
    case SheetGrid::Matches:
        break;
    }
    return "Matches";
}

} // namespace

std::string findingLines(const std::string& path, const std::vector<RulesFinding>& findings)
{
    std::string lines;
    for (const RulesFinding& finding : findings)
        lines += path + ": " + finding.text.toStdString() + " (" + severityName(finding.severity) + ")\n";
    return lines;
}

void writeFindingsJson(JsonWriter& json, const std::vector<RulesFinding>& findings)
{
    json.beginArray("Findings", true);
    for (const RulesFinding& finding : findings) {
        json.beginObject({}, true);
        json.value("Severity", std::string_view(severityName(finding.severity)));
        json.value("Grid", std::string_view(gridName(finding.cell.grid)));
        json.value("Column", std::int64_t{finding.cell.col});
        json.value("Row", std::int64_t{finding.cell.row});
        json.value("Text", finding.text.toStdString());
        json.endObject();
    }
    json.endArray();
}
