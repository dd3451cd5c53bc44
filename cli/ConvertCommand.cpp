#include "ConvertCommand.h"

#include "Errors.h"
#include "PageStore.h"
#include "ReadBackCheck.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"

#include <QFile>

#include <cstdio>

namespace {

// The exit status of a page that will not read back the same under --strict.
constexpr int ReadBackDiffers = 3;

// Reads the page as File, Open reads a local file, and stores the page Save
// As would write for it once shown. A page that would not read back as the
// sheet it was built from is reported on standard error, and under strict
// not stored. Returns the exit status.
int convertPage(const std::string& input, const QString& output, bool strict)
{
    const PageLines page = loadPageFile(input);
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    const RosterSheet sheet = buildSheet(team, record, page.encoding);
    const std::vector<std::string> lines = buildRosterPage(sheet);
    if (const std::optional<ReadBackDifference> difference = readBackDifference(sheet, lines)) {
        std::fprintf(stderr, "%s\n", readBackWarning(*difference).toUtf8().constData());
        if (strict)
            return ReadBackDiffers;
    }
    storePage(lines, output);
    return 0;
}

} // namespace

int runConvertCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    bool strict = false;
    for (const std::string& arg : args) {
        if (arg == "--strict")
            strict = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 2) {
        std::fputs("usage: team-editor-cli convert [--strict] IN OUT\n", stderr);
        return 2;
    }
    try {
        return convertPage(files[0], QFile::decodeName(files[1].c_str()), strict);
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
