// Pages this program writes, imported, against what the page reader reads
// from them: the importer must bring the same team, but where it takes less
// by its own rules. Each of those is made not to arise in the generated team
// or evened out in the comparison, and named where that is done.
#include "ImportedLook.h"
#include "MatchRecordRules.h"
#include "PageFixtures.h"
#include "PageStore.h"
#include "RosterImporter.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"
#include "TeamGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

// TE_IMPORT_SEED and TE_IMPORT_TEAMS run other and more teams locally.
std::uint32_t seed()
{
    const char* given = std::getenv("TE_IMPORT_SEED");
    return given ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10)) : 20261209;
}

int teamCount()
{
    const char* given = std::getenv("TE_IMPORT_TEAMS");
    return given ? std::atoi(given) : 120;
}

// The importer takes nothing but money for a treasury, a team value or a
// staff cost.
std::string money(std::mt19937& engine)
{
    const int amount = std::uniform_int_distribution<int>(0, 999)(engine);
    switch (amount % 3) {
    case 0:
        return std::to_string(amount) + "k";
    case 1:
        return std::to_string(amount) + ",000";
    default:
        return "$" + std::to_string(amount) + "k";
    }
}

void forEachText(GeneratedTeam& generated, const std::function<void(std::string&)>& change)
{
    TTeam& team = generated.team;
    for (std::string* text : {&team.TeamName, &team.Race, &team.Coach})
        change(*text);
    for (TPlayer& player : team.Players)
        for (std::string* text :
             {&player.PlayerName, &player.Position, &player.Skills, &player.Injuries, &player.PlayerCost})
            change(*text);
    for (auto& row : generated.record.Cells)
        for (std::string& cell : row)
            change(cell);
}

void makeImportable(GeneratedTeam& generated, std::mt19937& engine)
{
    TTeam& team = generated.team;
    team.Treasury = money(engine);
    team.TeamCost = money(engine);
    for (std::string* cost : {&team.ReRollCostText, &team.FanFactorCostText, &team.AssistantCoachCostText,
                              &team.CheerleaderCostText, &team.ApothecaryCostText, &team.WizardCostText})
        *cost = cost->empty() ? std::string() : money(engine);
    // A count below 0 is none to the importer, which then keeps the new
    // team's price text too.
    for (std::int32_t* count :
         {&team.ReRolls, &team.FanFactor, &team.TeamRating, &team.AssistantCoaches, &team.Cheerleaders})
        *count = std::max(*count, 0);
    // Rows with neither a name nor a movement allowance are passed over.
    for (TPlayer& player : team.Players) {
        if (player.MA == 0 && player.PlayerName.empty())
            player = TPlayer{};
        // A cost such as "6 839" comes in in the look the editor reads, "6,839".
        std::replace(player.PlayerCost.begin(), player.PlayerCost.end(), ' ', '_');
    }
    // Colours come in only where the table text reads on them.
    if (!textReadsOnColours(team)) {
        team.TableFontColor = 0;
        for (TColor* background : {&team.BackgroundColor, &team.TableColor, &team.HeadingsColor})
            *background |= 0xC0C0C0;
    }
    // The match record is found by its headings.
    MatchRecord& record = generated.record;
    record.ColCount = defaultMatchRecord().ColCount;
    for (auto& row : record.Cells)
        row.resize(static_cast<std::size_t>(record.ColCount));
    record.Cells[0] = defaultMatchRecord().Cells[0];
    // Texts are written as they stand, and the importer reads an "&" before
    // a name or a number as the start of a character reference, as a browser
    // does; the reader keeps it as it is.
    // A word before ":" may label a team field wherever it stands ("TR: 5"
    // in a team name, "Inj:" among skills).
    forEachText(generated, [](std::string& text) {
        std::replace(text.begin(), text.end(), ':', ';');
        for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 1))
            if (at + 1 < text.size() && text[at + 1] != ' ')
                text.insert(at + 1, 1, ' ');
    });
}

// The importer shows a run of blanks as one, as a browser does, and finds
// faces on the body and tables only, where this program's pages state none.
void evenOut(RosterSheet& sheet)
{
    for (const SheetGrid grid : AllSheetGrids) {
        const SheetTable& table = sheet.table(grid);
        for (int row = 0; row < table.rowCount(); ++row)
            for (int col = 0; col < table.colCount(); ++col)
                sheet.setCell(grid, col, row, table.cell(col, row).simplified());
    }
    sheet.setFont(SheetFont::Table, DefaultFaceName, sheet.fontColor(SheetFont::Table));
    sheet.setFont(SheetFont::Heading, DefaultFaceName, 0);
}

TEST(OwnPageImport, ImportBringsWhatTheReaderReads)
{
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Latin1}) {
        TeamGenerator generator(seed(), encoding);
        std::mt19937 engine(seed());
        for (int i = 0; i < teamCount(); ++i) {
            GeneratedTeam generated = generator.plainTeam();
            makeImportable(generated, engine);
            const std::string bytes =
                pageBytes(buildRosterPage(buildSheet(generated.team, generated.record, encoding)));
            SCOPED_TRACE("seed " + std::to_string(seed()) + ", team " + std::to_string(i) + ", page:\n" +
                         bytes);
            const PageLines page = splitPageBytes(bytes);
            TTeam read;
            MatchRecord readRecord;
            readRosterPage(page, read, readRecord);
            const ImportResult imported = importRosterPage(bytes);
            RosterSheet expected = buildSheet(read, readRecord, page.encoding);
            RosterSheet actual = buildSheet(imported.team, imported.matchRecord, TextEncoding::Utf8);
            evenOut(expected);
            evenOut(actual);
            expectSameSheet(actual, expected);
            if (testing::Test::HasFailure())
                return;
        }
    }
}

} // namespace
