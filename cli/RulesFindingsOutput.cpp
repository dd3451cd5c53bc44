#include "RulesFindingsOutput.h"

#include <cstdio>

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
        lines += path + ": " + escapedText(finding.text.toStdString()) + " (" +
                 severityName(finding.severity) + ")\n";
    return lines;
}

std::string escapedText(const std::string& text)
{
    std::string written;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            written += "\\\\";
        else if (c == '\n')
            written += "\\n";
        else if (byte >= 0x20 && byte != 0x7F)
            written += c;
        else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(byte));
            written += escaped;
        }
    }
    return written;
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
