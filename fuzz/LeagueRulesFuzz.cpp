// Feeds arbitrary bytes to the rules file reader and a roster to the rules: the
// bytes up to the first NUL are a rules file, those after it the texts of a
// roster's cells, NUL between them. A file that starts with the byte 1 is
// instead the example league's file changed by the bytes after it (see
// editedValue), so that most files stay close enough to the format to be read.
// A file must be read or refused with a rules file error, and the rules it
// gives must write out as a file that reads back as the same rules. The roster
// is then checked against those rules (the example league's when the file is
// refused): every finding names a cell of its sheet and says something, and the
// offers and ratings stay in bounds.
#include "PlayerFindings.h"
#include "RosterFindings.h"
#include "RosterOffers.h"
#include "RulesFile.h"
#include "RulesFileWriter.h"
#include "SaveRoundTrip.h"
#include "TeamRating.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "violated: %s\n", what);
    std::abort();
}

const QByteArray& exampleLeagueFile()
{
    static const QByteArray json = [] {
        QFile file(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json"));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        return file.readAll();
    }();
    return json;
}

const LeagueRules& exampleLeague()
{
    static const LeagueRules rules =
        readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json"));
    return rules;
}

// The edit script's next byte; 0 once it is used up.
unsigned char take(std::string_view& script)
{
    if (script.empty())
        return 0;
    const auto byte = static_cast<unsigned char>(script.front());
    script.remove_prefix(1);
    return byte;
}

// A value in place of one of the file: a text of the script's bytes, a whole
// number, a fraction, true or false, or nothing (the member or item goes).
QJsonValue replacement(std::string_view& script)
{
    switch (take(script) % 5) {
    case 0: {
        const std::size_t length = std::min<std::size_t>(take(script) % 24, script.size());
        const QString text = QString::fromUtf8(script.data(), static_cast<qsizetype>(length));
        script.remove_prefix(length);
        return text;
    }
    case 1:
        return static_cast<signed char>(take(script));
    case 2: {
        std::int32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits) << 8 | take(script));
        return bits / 256.0;
    }
    case 3:
        return take(script) % 2 == 0;
    default:
        return QJsonValue(QJsonValue::Undefined);
    }
}

// The value with one of its parts changed: each byte picks a member or item
// to go into, until one with its top bit set (or a value with no parts)
// says to change the value there. An item of a list may be doubled instead.
QJsonValue editedValue(const QJsonValue& value, std::string_view& script)
{
    const unsigned char step = take(script);
    if (value.isObject() && !value.toObject().isEmpty() && step < 0x80) {
        QJsonObject object = value.toObject();
        const QString key = object.keys().at(step % object.size());
        const QJsonValue edited = editedValue(object.value(key), script);
        if (edited.isUndefined())
            object.remove(key);
        else
            object.insert(key, edited);
        return object;
    }
    if (value.isArray() && !value.toArray().isEmpty() && step < 0x80) {
        QJsonArray array = value.toArray();
        const qsizetype index = step % array.size();
        if (step % 7 == 6) {
            array.append(array.at(index));
            return array;
        }
        const QJsonValue edited = editedValue(array.at(index), script);
        if (edited.isUndefined())
            array.removeAt(index);
        else
            array.replace(index, edited);
        return array;
    }
    return replacement(script);
}

QByteArray editedExampleLeague(std::string_view script)
{
    QJsonValue root = QJsonDocument::fromJson(exampleLeagueFile()).object();
    while (!script.empty())
        root = editedValue(root, script);
    return QJsonDocument(root.toObject()).toJson();
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
    const std::string_view file = bytes.substr(0, split);
    const std::optional<LeagueRules> read =
        readRules(file.starts_with('\1') ? editedExampleLeague(file.substr(1))
                                         : QByteArray(file.data(), static_cast<qsizetype>(file.size())));
    if (read)
        checkRoundTrip(*read);
    if (split < bytes.size())
        checkRoster(saveroundtrip::sheetFromBytes(bytes.substr(split + 1)), read ? *read : exampleLeague());
    return 0;
}
