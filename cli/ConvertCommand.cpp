#include "ConvertCommand.h"

#include "CliCommands.h"
#include "Errors.h"
#include "PageBatch.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "SheetBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <set>

namespace {

// Stores the page Save As would write once the page read from input is shown.
void convertPage(const std::string& input, const QString& output)
{
    const ReadPage page = readPageFile(input);
    storePage(buildRosterPage(buildSheet(page.team, page.matchRecord, page.encoding)), output);
}

int convertIntoFolder(const QString& folder, const std::vector<std::string>& inputs)
{
    // Two pages of the same name would land on one file, the second
    // replacing the first: the second fails instead.
    std::set<QString> written;
    return runForEachPage(inputs, [&](const std::string& input) {
        const QString output = QDir(folder).filePath(QFileInfo(QFile::decodeName(input.c_str())).fileName());
        if (!written.insert(QDir::cleanPath(output)).second)
            throw TeamEditorError(output.toStdString() + " is written from another page already");
        convertPage(input, output);
    });
}

} // namespace

int runConvertCommand(const std::vector<std::string>& args)
{
    const CliCommand& command = *findCliCommand("convert");
    if (!args.empty() && args[0] == "--to") {
        if (args.size() < 3)
            return commandUsageError(command);
        return convertIntoFolder(QFile::decodeName(args[1].c_str()),
                                 std::vector<std::string>(args.begin() + 2, args.end()));
    }
    if (args.size() != 2)
        return commandUsageError(command);
    const QString output = QFile::decodeName(args[1].c_str());
    return runForEachPage({args[0]}, [&output](const std::string& input) { convertPage(input, output); });
}
