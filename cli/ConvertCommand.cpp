#include "ConvertCommand.h"

#include "CliCommands.h"
#include "Errors.h"
#include "OutputPlan.h"
#include "PageBatch.h"
#include "PageStore.h"
#include "ReadBackCheck.h"
#include "RosterPage.h"
#include "SheetBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

// The exit status when every page read, but one would not read back the same
// under --strict.
constexpr int ReadBackDiffers = 3;

class PageConverter
{
public:
    PageConverter(bool strict, bool manyPages) : m_strict(strict), m_manyPages(manyPages) {}

    // Stores the page Save As would write once the page read from input is
    // shown. A page that would not read back as the sheet it was built from is
    // reported on standard error, and under strict not stored.
    void convert(const std::string& input, const QString& output)
    {
        const ReadPage page = readPageFile(input);
        const RosterSheet sheet = buildSheet(page.team, page.matchRecord, page.encoding);
        const std::vector<std::string> lines = buildRosterPage(sheet);
        if (const std::optional<ReadBackDifference> difference = readBackDifference(sheet, lines)) {
            std::fprintf(stderr, "%s%s%s\n", m_manyPages ? input.c_str() : "", m_manyPages ? ": " : "",
                         readBackWarning(*difference).toUtf8().constData());
            if (m_strict) {
                m_anyHeldBack = true;
                return;
            }
        }
        storePage(lines, output);
    }

    int exitStatus(int batchStatus) const
    {
        return batchStatus == 0 && m_anyHeldBack ? ReadBackDiffers : batchStatus;
    }

private:
    bool m_strict;
    bool m_manyPages;
    bool m_anyHeldBack = false;
};

int convertIntoFolder(const QString& folder, const std::vector<std::string>& inputs, bool strict)
{
    PageConverter converter(strict, inputs.size() > 1);
    const OutputPlan plan(inputs, [&folder](const std::string& input) {
        return QDir(folder).filePath(QFileInfo(QFile::decodeName(input.c_str())).fileName());
    });
    std::size_t index = 0;
    return converter.exitStatus(runForEachPage(
        inputs, [&](const std::string& input) { converter.convert(input, plan.outputFor(index++)); }));
}

} // namespace

int runConvertCommand(const std::vector<std::string>& arguments)
{
    const CliCommand& command = *findCliCommand("convert");
    std::vector<std::string> args = arguments;
    const auto strictFlag = std::remove(args.begin(), args.end(), std::string("--strict"));
    const bool strict = strictFlag != args.end();
    args.erase(strictFlag, args.end());

    if (!args.empty() && args[0] == "--to") {
        if (args.size() < 3)
            return commandUsageError(command);
        return convertIntoFolder(QFile::decodeName(args[1].c_str()),
                                 std::vector<std::string>(args.begin() + 2, args.end()), strict);
    }
    // "IN --to" is the folder form gone wrong, not a page to store as "--to".
    if (args.size() != 2 || args[1] == "--to")
        return commandUsageError(command);
    // A page converted into itself is read whole before it is stored: it
    // stays a roster page, as after a Save.
    const QString output = QFile::decodeName(args[1].c_str());
    PageConverter converter(strict, false);
    return converter.exitStatus(
        runForEachPage({args[0]}, [&](const std::string& input) { converter.convert(input, output); }));
}
