#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstring>

namespace {

const QString RulesOption = QStringLiteral("rules");

QString describedUsage(QCommandLineParser& parser)
{
    parser.addOption({RulesOption,
                      QStringLiteral("Checks the roster against the league rules in <file> for this run, "
                                     "leaving the remembered choice as it is."),
                      QStringLiteral("file")});
    parser.setApplicationDescription(
        QStringLiteral("Edits the roster pages of fantasy sports board game teams: reads a page from a "
                       "file or a web address, shows it for editing and writes it back as HTML."));
    parser.addPositionalArgument(QStringLiteral("page"),
                                 QStringLiteral("A roster page to open: a file path or an http(s) URL."),
                                 QStringLiteral("[PAGE]"));
    return parser.helpText();
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QString usage = describedUsage(parser);

    CommandLine result;
    const auto printAndExit = [&result](QString text, bool toStandardError, int exitCode) {
        result.action = Action::PrintAndExit;
        result.text = std::move(text);
        result.toStandardError = toStandardError;
        result.exitCode = exitCode;
        return result;
    };
    if (!parser.parse(arguments))
        return printAndExit(parser.errorText() + QLatin1Char('\n') + usage, true, 1);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return printAndExit(usage, false, 0);
    if (parser.isSet(version)) {
        return printAndExit(QCoreApplication::applicationName() + QLatin1Char(' ') +
                                QCoreApplication::applicationVersion() + QLatin1Char('\n'),
                            false, 0);
    }
    const QStringList pages = parser.positionalArguments();
    if (pages.size() > 1)
        return printAndExit(QStringLiteral("Only one page can be opened at a time.\n") + usage, true, 1);
    if (!pages.isEmpty())
        result.page = pages.constFirst();
    result.rules = parser.value(RulesOption);
    return result;
}

bool CommandLine::asksForTextOnly(int argc, char** argv)
{
    for (int index = 1; index < argc; ++index) {
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[index], option) == 0)
                return true;
        }
    }
    return false;
}

int CommandLine::print() const
{
    QTextStream(toStandardError ? stderr : stdout) << text;
    return exitCode;
}
