#include "RulesFile.h"

#include "JsonLocation.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

ERulesFileError::ERulesFileError(const QString& path, int line, int column, const QString& reason)
    : TeamEditorError(QStringLiteral("%1:%2:%3: %4")
                          .arg(path, QString::number(line), QString::number(column), reason)
                          .toStdString()),
      m_line(line), m_column(column), m_reason(reason)
{
}

namespace {

JsonPath child(const JsonPath& at, JsonStep step)
{
    JsonPath path = at;
    path.push_back(std::move(step));
    return path;
}

QString nameOf(const JsonPath& at)
{
    return at.empty() ? QStringLiteral("the file") : jsonPathText(at);
}

// The names read so far, by their keys: a file may list many thousands, and
// each new one is compared with all of them.
class NamesSeen
{
public:
    bool contains(QStringView name) const { return m_keys.contains(nameKey(name)); }
    // False when the same name was seen before.
    bool add(QStringView name)
    {
        const qsizetype before = m_keys.size();
        m_keys.insert(nameKey(name));
        return m_keys.size() != before;
    }

private:
    QSet<QString> m_keys;
};

// Reads the document against the format, failing with the place of the first
// thing that breaks it.
class RulesParser
{
public:
    RulesParser(const QByteArray& json, const QString& path) : m_json(json), m_path(path) {}

    LeagueRules parse()
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(m_json, &error);
        if (error.error != QJsonParseError::NoError) {
            const TextPosition at = textPositionAt(m_json, error.offset);
            throw ERulesFileError(m_path, at.line, at.column,
                                  QStringLiteral("not JSON: %1").arg(error.errorString()));
        }
        const QJsonObject root =
            object(document.isObject() ? QJsonValue(document.object()) : QJsonValue(), {},
                   {"format", "league", "team", "prices", "races", "skills", "advancement", "teamRating"});
        const int format =
            integer(required(root, {}, "format"), {JsonStep(QStringLiteral("format"))}, 1, 1000);
        if (format > LeagueRules::FormatVersion)
            fail({QStringLiteral("format")}, QStringLiteral("format %1 is newer than this program reads (%2)")
                                                 .arg(format)
                                                 .arg(LeagueRules::FormatVersion));
        LeagueRules rules;
        rules.league = text(required(root, {}, "league"), {QStringLiteral("league")});
        readTeam(root, rules);
        readPrices(root, rules.prices);
        readSkills(root, rules);
        readRaces(root, rules);
        readAdvancement(root, rules.advancement);
        readTeamRating(root, rules);
        return rules;
    }

private:
    [[noreturn]] void fail(const JsonPath& at, const QString& reason) const
    {
        const TextPosition position = textPositionAt(m_json, jsonPathOffset(m_json, at));
        throw ERulesFileError(m_path, position.line, position.column, reason);
    }

    QJsonObject object(const QJsonValue& value, const JsonPath& at,
                       std::initializer_list<const char*> keys) const
    {
        if (!value.isObject())
            fail(at, QStringLiteral("%1 must be an object { ... }").arg(nameOf(at)));
        const QJsonObject members = value.toObject();
        for (auto it = members.begin(); it != members.end(); ++it) {
            const bool known = std::any_of(keys.begin(), keys.end(), [&](const char* key) {
                return it.key() == QLatin1StringView(key);
            });
            if (!known)
                fail(child(at, it.key()),
                     QStringLiteral("unknown key \"%1\" in %2").arg(it.key(), nameOf(at)));
        }
        return members;
    }

    QJsonValue required(const QJsonObject& members, const JsonPath& at, const char* key) const
    {
        const QJsonValue value = members.value(QLatin1StringView(key));
        if (value.isUndefined())
            fail(at, QStringLiteral("%1 lacks \"%2\"").arg(nameOf(at), QLatin1StringView(key)));
        return value;
    }

    QJsonArray array(const QJsonValue& value, const JsonPath& at) const
    {
        if (!value.isArray())
            fail(at, QStringLiteral("%1 must be a list [ ... ]").arg(nameOf(at)));
        return value.toArray();
    }

    int integer(const QJsonValue& value, const JsonPath& at, int lowest, int highest) const
    {
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || number != std::floor(number) || number < lowest || number > highest)
            fail(at, QStringLiteral("%1 must be a whole number from %2 to %3")
                         .arg(nameOf(at))
                         .arg(lowest)
                         .arg(highest));
        return int(number);
    }

    QString text(const QJsonValue& value, const JsonPath& at) const
    {
        const QString given = value.toString().trimmed();
        if (!value.isString() || given.isEmpty())
            fail(at, QStringLiteral("%1 must be a text \"...\" that is not empty").arg(nameOf(at)));
        return given;
    }

    bool boolean(const QJsonValue& value, const JsonPath& at) const
    {
        if (!value.isBool())
            fail(at, QStringLiteral("%1 must be true or false").arg(nameOf(at)));
        return value.toBool();
    }

    GoldPieces money(const QJsonValue& value, const JsonPath& at) const
    {
        const QString given = value.toString().trimmed();
        if (value.toDouble() < 0 || given.startsWith(u'-'))
            fail(at, QStringLiteral("%1 must not be negative").arg(nameOf(at)));
        const Money amount = parseMoney(given.toStdString());
        if (!value.isString() || !amount.isKnown())
            fail(at, QStringLiteral("%1 must be an amount of money such as \"70k\"").arg(nameOf(at)));
        return amount.amount;
    }

    QStringList names(const QJsonValue& value, const JsonPath& at) const
    {
        QStringList list;
        NamesSeen seen;
        const QJsonArray items = array(value, at);
        for (qsizetype i = 0; i < items.size(); ++i) {
            const JsonPath itemAt = child(at, int(i));
            const QString name = text(items[i], itemAt);
            if (!seen.add(name))
                fail(itemAt, QStringLiteral("%1 is listed twice in %2").arg(name, nameOf(at)));
            list.append(name);
        }
        return list;
    }

    void readTeam(const QJsonObject& root, LeagueRules& rules) const
    {
        const JsonPath at = {QStringLiteral("team")};
        if (!root.contains(QStringLiteral("team")))
            return;
        const QJsonObject team = object(root.value(QStringLiteral("team")), at,
                                        {"fewestPlayers", "mostPlayers", "startingTreasury"});
        if (team.contains(QStringLiteral("mostPlayers")))
            rules.mostPlayers = integer(team.value(QStringLiteral("mostPlayers")),
                                        child(at, QStringLiteral("mostPlayers")), 1, 16);
        // A league that fields fewer than the default fewest needs no more than it may field.
        rules.fewestPlayers = std::min(rules.fewestPlayers, rules.mostPlayers);
        if (team.contains(QStringLiteral("fewestPlayers")))
            rules.fewestPlayers = integer(team.value(QStringLiteral("fewestPlayers")),
                                          child(at, QStringLiteral("fewestPlayers")), 0, rules.mostPlayers);
        if (team.contains(QStringLiteral("startingTreasury")))
            rules.startingTreasury = money(team.value(QStringLiteral("startingTreasury")),
                                           child(at, QStringLiteral("startingTreasury")));
    }

    void readPrices(const QJsonObject& root, StaffPrices& prices) const
    {
        const JsonPath at = {QStringLiteral("prices")};
        const QJsonObject given =
            object(required(root, {}, "prices"), at,
                   {"fanFactor", "assistantCoach", "cheerleader", "apothecary", "wizard"});
        const auto price = [&](const char* key) {
            return money(required(given, at, key), child(at, QString::fromLatin1(key)));
        };
        prices.fanFactor = price("fanFactor");
        prices.assistantCoach = price("assistantCoach");
        prices.cheerleader = price("cheerleader");
        prices.apothecary = price("apothecary");
        prices.wizard = price("wizard");
    }

    void readSkills(const QJsonObject& root, LeagueRules& rules)
    {
        const JsonPath at = {QStringLiteral("skills")};
        const QJsonArray skills = array(required(root, {}, "skills"), at);
        for (qsizetype i = 0; i < skills.size(); ++i) {
            const JsonPath skillAt = child(at, int(i));
            const QJsonObject skill = object(skills[i], skillAt, {"name", "category"});
            SkillRules read;
            read.name = text(required(skill, skillAt, "name"), child(skillAt, QStringLiteral("name")));
            read.category =
                text(required(skill, skillAt, "category"), child(skillAt, QStringLiteral("category")));
            if (!m_skills.add(read.name))
                fail(child(skillAt, QStringLiteral("name")),
                     QStringLiteral("skill %1 is listed twice").arg(read.name));
            m_categories.add(read.category);
            rules.skills.push_back(std::move(read));
        }
    }

    void readRaces(const QJsonObject& root, LeagueRules& rules) const
    {
        const JsonPath at = {QStringLiteral("races")};
        const QJsonArray races = array(required(root, {}, "races"), at);
        NamesSeen raceNames;
        for (qsizetype i = 0; i < races.size(); ++i) {
            const JsonPath raceAt = child(at, int(i));
            const QJsonObject race =
                object(races[i], raceAt, {"name", "reRoll", "apothecary", "wizard", "positions"});
            RaceRules read;
            read.name = text(required(race, raceAt, "name"), child(raceAt, QStringLiteral("name")));
            if (!raceNames.add(read.name))
                fail(child(raceAt, QStringLiteral("name")),
                     QStringLiteral("race %1 is listed twice").arg(read.name));
            read.reRollPrice =
                money(required(race, raceAt, "reRoll"), child(raceAt, QStringLiteral("reRoll")));
            read.mayHireApothecary =
                boolean(required(race, raceAt, "apothecary"), child(raceAt, QStringLiteral("apothecary")));
            read.mayHireWizard =
                boolean(required(race, raceAt, "wizard"), child(raceAt, QStringLiteral("wizard")));
            const JsonPath positionsAt = child(raceAt, QStringLiteral("positions"));
            const QJsonArray positions = array(required(race, raceAt, "positions"), positionsAt);
            NamesSeen titles;
            for (qsizetype p = 0; p < positions.size(); ++p) {
                PositionRules position = readPosition(positions[p], child(positionsAt, int(p)));
                if (!titles.add(position.title))
                    fail(child(child(positionsAt, int(p)), QStringLiteral("title")),
                         QStringLiteral("position %1 is listed twice for the %2 race")
                             .arg(position.title, read.name));
                read.positions.push_back(std::move(position));
            }
            rules.races.push_back(std::move(read));
        }
    }

    PositionRules readPosition(const QJsonValue& value, const JsonPath& at) const
    {
        const QJsonObject given = object(
            value, at, {"title", "most", "cost", "MA", "ST", "AG", "AV", "skills", "normal", "double"});
        const auto keyAt = [&](const char* key) { return child(at, QString::fromLatin1(key)); };
        const auto need = [&](const char* key) { return required(given, at, key); };
        PositionRules position;
        position.title = text(need("title"), keyAt("title"));
        position.most = integer(need("most"), keyAt("most"), 1, 16);
        position.cost = money(need("cost"), keyAt("cost"));
        for (int i = 0; i < CharacteristicCount; ++i) {
            const char* name = characteristicName(Characteristic(i));
            position.profile[std::size_t(i)] =
                integer(need(name), keyAt(name), LowestCharacteristic, HighestCharacteristic);
        }
        const JsonPath skillsAt = keyAt("skills");
        position.startingSkills = names(need("skills"), skillsAt);
        for (qsizetype i = 0; i < position.startingSkills.size(); ++i) {
            if (!m_skills.contains(position.startingSkills[i]))
                fail(
                    child(skillsAt, int(i)),
                    QStringLiteral("starting skill %1 is not in \"skills\"").arg(position.startingSkills[i]));
        }
        position.normalCategories = categories(given, at, "normal");
        position.doubleCategories = categories(given, at, "double");
        return position;
    }

    QStringList categories(const QJsonObject& position, const JsonPath& at, const char* key) const
    {
        const JsonPath listAt = child(at, QString::fromLatin1(key));
        const QStringList listed = names(required(position, at, key), listAt);
        for (qsizetype i = 0; i < listed.size(); ++i) {
            if (!m_categories.contains(listed[i]))
                fail(child(listAt, int(i)), QStringLiteral("no skill has the category %1").arg(listed[i]));
        }
        return listed;
    }

    void readAdvancement(const QJsonObject& root, Advancement& advancement) const
    {
        const JsonPath at = {QStringLiteral("advancement")};
        if (!root.contains(QStringLiteral("advancement")))
            return;
        const QJsonObject given = object(root.value(QStringLiteral("advancement")), at, {"spp", "values"});
        if (given.contains(QStringLiteral("spp"))) {
            const JsonPath sppAt = child(at, QStringLiteral("spp"));
            const QJsonArray sppList = array(given.value(QStringLiteral("spp")), sppAt);
            for (qsizetype i = 0; i < sppList.size(); ++i) {
                const JsonPath itemAt = child(sppAt, int(i));
                const int spp = integer(sppList[i], itemAt, 0, 1'000'000);
                if (!advancement.sppForAdvance.empty() && spp <= advancement.sppForAdvance.back())
                    fail(itemAt,
                         QStringLiteral("%1 must be more than the SPP before it").arg(nameOf(itemAt)));
                advancement.sppForAdvance.push_back(spp);
            }
        }
        if (given.contains(QStringLiteral("values"))) {
            const JsonPath valuesAt = child(at, QStringLiteral("values"));
            const QJsonObject values = object(given.value(QStringLiteral("values")), valuesAt,
                                              {"skill", "doubleSkill", "MA", "ST", "AG", "AV"});
            static const char* const keys[AdvanceKindCount] = {"skill", "doubleSkill", "MA",
                                                               "ST",    "AG",          "AV"};
            std::array<GoldPieces, AdvanceKindCount> read{};
            for (int i = 0; i < AdvanceKindCount; ++i)
                read[std::size_t(i)] =
                    money(required(values, valuesAt, keys[i]), child(valuesAt, QString::fromLatin1(keys[i])));
            advancement.values = read;
        }
    }

    void readTeamRating(const QJsonObject& root, LeagueRules& rules) const
    {
        const JsonPath at = {QStringLiteral("teamRating")};
        if (!root.contains(QStringLiteral("teamRating")))
            return;
        const QJsonObject given =
            object(root.value(QStringLiteral("teamRating")), at, {"valueDivisor", "sppDivisor"});
        TeamRatingFormula formula;
        const JsonPath valueAt = child(at, QStringLiteral("valueDivisor"));
        formula.valueDivisor = money(required(given, at, "valueDivisor"), valueAt);
        if (formula.valueDivisor == 0)
            fail(valueAt, QStringLiteral("%1 must be more than nothing").arg(nameOf(valueAt)));
        formula.sppDivisor =
            integer(required(given, at, "sppDivisor"), child(at, QStringLiteral("sppDivisor")), 1, 1'000'000);
        rules.teamRating = formula;
    }

    const QByteArray& m_json;
    const QString& m_path;
    NamesSeen m_skills;
    NamesSeen m_categories; // those of the skills
};

} // namespace

LeagueRules parseRules(const QByteArray& json, const QString& path)
{
    return RulesParser(json, path).parse();
}

LeagueRules readRulesFile(const QString& path)
{
    const QFileInfo info(path);
    const std::string name = path.toStdString();
    if (info.exists() && !info.isFile())
        throw EFileError("Cannot open file " + name, "Not a regular file");
    if (info.size() > MaxRulesFileBytes)
        throw EFileError("Rules file too large: " + name, "Larger than 4 MiB");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError("Cannot open file " + name, file.errorString().toStdString());
    // The size is checked again on what is read: the file may have grown.
    const QByteArray json = file.read(MaxRulesFileBytes + 1);
    if (json.size() > MaxRulesFileBytes)
        throw EFileError("Rules file too large: " + name, "Larger than 4 MiB");
    return parseRules(json, path);
}
