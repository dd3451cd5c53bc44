// Feeds arbitrary bytes to the rules file reader and a roster to the rules: the
// bytes up to the first NUL are a rules file, those after it the texts of a
// roster's cells, NUL between them. A file must be read or refused with a
// rules file error, and the rules it gives must write out as a file that reads
// back as the same rules. The roster is then checked against those rules (the
// example league's when the file is refused): every finding names a cell of
// its sheet and says something, and the offers and ratings stay in bounds.
#include "PlayerFindings.h"
#include "RosterFindings.h"
#include "RosterOffers.h"
#include "RulesFile.h"
#include "RulesFileWriter.h"
#include "SaveRoundTrip.h"
#include "TeamRating.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const LeagueRules& exampleLeague()
{
    static const LeagueRules rules =
        readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json"));
    return rules;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "violated: %s\n", what);
    std::abort();
}

std::optional<LeagueRules> readRules(const QByteArray& json)
{
    try {
        return parseRules(json, QStringLiteral("league.json"));
    } catch (const ERulesFileError&) {
        return std::nullopt;
    }
}

void checkRoundTrip(const LeagueRules& rules)
{
    const QByteArray written = rulesFileText(rules);
    std::optional<LeagueRules> again;
    try {
        again = parseRules(written, QStringLiteral("written.json"));
    } catch (const ERulesFileError& error) {
        std::fprintf(stderr, "%s\n%s\n", error.what(), written.constData());
        fail("the written rules file is refused");
    }
    if (!(*again == rules)) {
        std::fprintf(stderr, "%s\n", written.constData());
        fail("the written rules file reads back as other rules");
    }
}

void checkRoster(const RosterSheet& sheet, const LeagueRules& rules)
{
    for (const RulesFinding& finding : rosterFindings(sheet, rules)) {
        const SheetTable& table = sheet.table(finding.cell.grid);
        if (finding.cell.col < 0 || finding.cell.row < 0 || finding.cell.col >= table.colCount() ||
            finding.cell.row >= table.rowCount())
            fail("a finding names a cell outside its grid");
        if (finding.text.isEmpty())
            fail("a finding says nothing");
    }
    const QString moneyLook = moneyLookOf(sheet);
    if (const RaceRules* race = rules.findRace(raceOf(sheet))) {
        for (const PositionOffer& offer : positionOffers(*race, sheet)) {
            if (offer.left() < 0 || offer.left() > offer.position->most)
                fail("a position offer is out of bounds");
            positionOfferText(offer);
            newPlayerCells(*offer.position, moneyLook);
        }
    }
    for (const PlayerRow& row : playerRows(sheet)) {
        for (const RaceRules& race : rules.races) {
            if (const PositionRules* position = race.findPosition(row.position)) {
                const SkillsText skills = readSkillsText(row.skills);
                advancesTaken(rules, *position, skills);
                skillsOpenTo(rules, *position, skills.skills);
            }
        }
    }
    if (rules.teamRating)
        teamRatingOf(sheet, *rules.teamRating);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(bytes.find('\0'), bytes.size());
    const std::optional<LeagueRules> read =
        readRules(QByteArray(bytes.data(), static_cast<qsizetype>(split)));
    if (read)
        checkRoundTrip(*read);
    if (split < bytes.size())
        checkRoster(saveroundtrip::sheetFromBytes(bytes.substr(split + 1)), read ? *read : exampleLeague());
    return 0;
}
