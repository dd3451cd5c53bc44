#include "CheckCommand.h"

#include "Errors.h"
#include "JsonWriter.h"
#include "PageBatch.h"
#include "RulesFile.h"
#include "RulesFindingsOutput.h"
#include "SheetBuilder.h"
#include "SheetTotals.h"

#include <cstdio>

namespace {

struct PageCheck
{
    std::string stated; // the page's Cost of Team, as UTF-8
    Money statedAmount;
    TeamSum sum;
    Agreement agreement = Agreement::Unverifiable;
    std::vector<RulesFinding> findings; // with --rules
};

// The page as the editor shows it, so that a cost the page leaves out counts
// as the roster derives it.
PageCheck checkPage(const ReadPage& page, const std::optional<LeagueRules>& rules)
{
    const RosterSheet sheet = buildSheet(page.team, page.matchRecord, page.encoding);
    const MoneyTexts texts = moneyTextsOf(sheet);
    PageCheck check;
    if (rules)
        check.findings = rosterFindings(sheet, *rules);
    check.stated = withoutBlanksAround(texts.teamCost);
    check.statedAmount = parseMoney(texts.teamCost);
    check.sum = teamSum(texts);
    check.agreement = totalAgreement(texts, check.sum);
    return check;
}

const char* verdictOf(const PageCheck& check)
{
    switch (check.agreement) {
    case Agreement::Agrees:
        return "agrees";
    case Agreement::Disagrees:
        // A page that states no total has nothing to agree with.
        return check.statedAmount.isBlank() ? "missing" : "disagrees";
    case Agreement::Unverifiable:
        break;
    }
    return "unknown";
}

std::string plainLine(const std::string& path, const PageCheck& check)
{
    std::string line = escapedText(path) + ": Cost of Team " +
                       (check.stated.empty() ? "not given" : escapedText(check.stated));
    if (check.statedAmount.isUnknown())
        line += " (unknown amount)";
    if (check.sum.value.isKnown())
        line += ", team value " + formatMoneyLike(check.sum.value.amount, check.stated);
    else
        line += ", team value unknown (" + unknownReason(check.sum) + ")";
    return line + ": " + verdictOf(check) + "\n" + findingLines(escapedText(path), check.findings);
}

std::string jsonLine(const std::string& path, const PageCheck& check, bool withRules)
{
    JsonWriter json;
    json.beginObject({}, true);
    json.value("Page", path);
    json.value("CostOfTeam", check.stated);
    if (check.statedAmount.isKnown())
        json.value("Stated", check.statedAmount.amount);
    else if (check.statedAmount.isBlank())
        json.value("Stated", std::int64_t{0});
    else
        json.null("Stated");
    if (check.sum.value.isKnown()) {
        json.value("TeamValue", check.sum.value.amount);
        json.null("UnknownIn");
    } else {
        json.null("TeamValue");
        json.value("UnknownIn", unknownReason(check.sum));
    }
    json.value("Verdict", std::string_view(verdictOf(check)));
    if (withRules)
        writeFindingsJson(json, check.findings);
    json.endObject();
    return json.text();
}

bool writeOut(const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

} // namespace

int runCheckCommand(const std::vector<std::string>& args)
{
    bool asJson = false;
    std::vector<std::string> paths;
    std::optional<std::string> rulesFile;
    bool usable = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            asJson = true;
        else if (args[i] != "--rules")
            paths.push_back(args[i]);
        else if (i + 1 < args.size() && !rulesFile)
            rulesFile = args[++i];
        else
            usable = false;
    }
    if (paths.empty() || !usable) {
        std::fputs("usage: team-editor-cli check [--rules FILE] PAGE... [--json]\n", stderr);
        return 2;
    }
    // A rules file that is refused checks nothing.
    std::optional<LeagueRules> rules;
    try {
        if (rulesFile)
            rules = readRulesFile(QString::fromStdString(*rulesFile));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", failureText(error).c_str());
        return 2;
    }

    bool anyUnreadable = false;
    bool anyDisagrees = false;
    for (const std::string& path : paths) {
        try {
            const PageCheck check = checkPage(readPageFile(path), rules);
            anyDisagrees |= check.agreement != Agreement::Agrees || hasErrorFinding(check.findings);
            if (!writeOut(asJson ? jsonLine(path, check, rules.has_value()) : plainLine(path, check))) {
                std::fputs("Unable to write to standard output\n", stderr);
                return 2;
            }
        } catch (const TeamEditorError& error) {
            anyUnreadable = true;
            std::fprintf(stderr, "%s\n", pageFailureLine(path, error, true).c_str());
        }
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("Unable to write to standard output\n", stderr);
        return 2;
    }
    return anyUnreadable ? 2 : anyDisagrees ? 1 : 0;
}
