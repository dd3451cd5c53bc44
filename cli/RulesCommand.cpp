#include "RulesCommand.h"

#include "CliCommands.h"
#include "PageBatch.h"
#include "PageStore.h"
#include "RulesFile.h"
#include "RulesFileWriter.h"
#include "RulesFindingsOutput.h"
#include "RulesLearner.h"
#include "SheetBuilder.h"

#include <QFileInfo>

#include <cstdio>

namespace {

int usageError()
{
    return commandUsageError(*findCliCommand("rules"));
}

bool writeOut(const QByteArray& text)
{
    return std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size()) &&
           std::fflush(stdout) == 0;
}

int learn(const std::vector<std::string>& args)
{
    std::vector<std::string> pages;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && output.empty())
            output = args[++i];
        else if (args[i] == "-o" || args[i].starts_with('-'))
            return usageError();
        else
            pages.push_back(args[i]);
    }
    if (pages.empty())
        return usageError();

    RulesLearner learner;
    const int status = runForEachPage(pages, [&learner](const std::string& page) {
        const ReadPage read = readPageFile(page);
        learner.addRoster(buildSheet(read.team, read.matchRecord, read.encoding),
                          QString::fromStdString(page));
    });
    for (const QString& conflict : learner.conflicts())
        std::fprintf(stderr, "%s\n", escapedText(conflict.toStdString()).c_str());
    // A file named only by its extension (".json") gives the league no name.
    const QString fileName =
        output.empty() ? QString() : QFileInfo(QString::fromStdString(output)).completeBaseName().trimmed();
    const QString league = fileName.isEmpty() ? QStringLiteral("Learned league") : fileName;
    const QByteArray text = rulesFileText(learner.rules(league));
    if (output.empty()) {
        if (!writeOut(text)) {
            std::fputs("Unable to write to standard output\n", stderr);
            return 1;
        }
        return status;
    }
    try {
        storeFile(std::string_view(text.constData(), std::size_t(text.size())),
                  QString::fromStdString(output));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", failureText(error).c_str());
        return 1;
    }
    return status;
}

QString raceSummary(const RaceRules& race)
{
    QStringList titles;
    for (const PositionRules& position : race.positions)
        titles.append(position.title);
    const auto yesNo = [](bool flag) { return flag ? QStringLiteral("yes") : QStringLiteral("no"); };
    return QStringLiteral("%1: %2 position%3 (%4), re-roll %5, apothecary %6, wizard %7")
        .arg(race.name, QString::number(race.positions.size()),
             race.positions.size() == 1 ? QString() : QStringLiteral("s"), titles.join(QStringLiteral(", ")),
             QString::fromStdString(formatMoney(race.reRollPrice, defaultMoneyStyle())),
             yesNo(race.mayHireApothecary), yesNo(race.mayHireWizard));
}

QString leagueSummary(const LeagueRules& rules)
{
    const auto unplaced =
        std::count_if(rules.skills.begin(), rules.skills.end(),
                      [](const SkillRules& skill) { return sameName(skill.category, UnknownCategory); });
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1StringView(n == 1 ? one : many));
    };
    QString summary = QStringLiteral("%1: %2, %3")
                          .arg(rules.league, count(rules.races.size(), "race", "races"),
                               count(rules.skills.size(), "skill", "skills"));
    if (unplaced > 0)
        summary += QStringLiteral(" (%1 of category unknown)").arg(unplaced);
    summary += QStringLiteral(", %1 to %2 players").arg(rules.fewestPlayers).arg(rules.mostPlayers);
    if (rules.advancement.sppForAdvance.empty())
        summary += QStringLiteral(", no advancement");
    if (!rules.teamRating)
        summary += QStringLiteral(", no team rating formula");
    return summary;
}

int check(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return usageError();
    const QString path = QString::fromStdString(args[0]);
    LeagueRules rules;
    try {
        rules = readRulesFile(path);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", failureText(error).c_str());
        return 1;
    }
    std::string text = escapedText(leagueSummary(rules).toStdString()) + '\n';
    for (const RaceRules& race : rules.races)
        text += escapedText(raceSummary(race).toStdString()) + '\n';
    if (!writeOut(QByteArray::fromStdString(text))) {
        std::fputs("Unable to write to standard output\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace

int runRulesCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return usageError();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "learn")
        return learn(rest);
    if (args[0] == "check")
        return check(rest);
    return usageError();
}
