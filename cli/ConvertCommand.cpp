#include "ConvertCommand.h"

#include "Errors.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"

#include <QFile>

#include <cstdio>

namespace {

// Reads the page as File, Open reads a local file, and stores the page Save
// As would write for it once shown.
void convertPage(const std::string& input, const QString& output)
{
    const PageLines page = loadPageFile(input);
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    storePage(buildRosterPage(buildSheet(team, record, page.encoding)), output);
}

} // namespace

int runConvertCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fputs("usage: team-editor-cli convert IN OUT\n", stderr);
        return 2;
    }
    try {
        convertPage(args[0], QFile::decodeName(args[1].c_str()));
        return 0;
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
