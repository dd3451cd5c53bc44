#include "RulesLearner.h"

#include "PlayerTexts.h"
#include "RosterRows.h"
#include "TeamValue.h"

#include <QHash>

#include <algorithm>
#include <functional>

namespace {

// The values the pages give for one thing, with the pages that give each.
template <typename T> class Votes
{
public:
    void add(const T& value, const QString& page)
    {
        auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                  [&](const Entry& e) { return e.value == value; });
        if (entry == m_entries.end())
            entry = m_entries.insert(m_entries.end(), Entry{value, 0, {}});
        ++entry->count;
        if (entry->pages.isEmpty() || entry->pages.back() != page)
            entry->pages.append(page);
    }

    bool isEmpty() const { return m_entries.empty(); }

    // The value most often given; the first one given on a tie.
    const T& winner() const
    {
        return std::max_element(m_entries.begin(), m_entries.end(),
                                [](const Entry& a, const Entry& b) { return a.count < b.count; })
            ->value;
    }

    // "cost 70k (a.htm, b.htm) or 60k (c.htm); 70k taken", or nothing when
    // the pages agree.
    QString conflict(const QString& what, const std::function<QString(const T&)>& show) const
    {
        if (m_entries.size() < 2)
            return {};
        QStringList given;
        for (const Entry& entry : m_entries)
            given.append(QStringLiteral("%1 (%2)").arg(show(entry.value), pageList(entry.pages)));
        return QStringLiteral("%1 %2; %3 taken")
            .arg(what, given.join(QStringLiteral(" or ")), show(winner()));
    }

private:
    static QString pageList(const QStringList& pages)
    {
        constexpr qsizetype Named = 5;
        QString list = pages.first(std::min(pages.size(), Named)).join(QStringLiteral(", "));
        if (pages.size() > Named)
            list += QStringLiteral(" and %1 more").arg(pages.size() - Named);
        return list;
    }

    struct Entry
    {
        T value;
        int count;
        QStringList pages;
    };
    std::vector<Entry> m_entries;
};

QString moneyText(const GoldPieces& amount)
{
    return QString::fromStdString(formatMoney(amount, defaultMoneyStyle()));
}

QString profileText(const Profile& profile)
{
    return QStringLiteral("MA %1 ST %2 AG %3 AV %4")
        .arg(profile[0])
        .arg(profile[1])
        .arg(profile[2])
        .arg(profile[3]);
}

QString skillsText(const QStringList& skills)
{
    return skills.isEmpty() ? QStringLiteral("none") : skills.join(QStringLiteral(", "));
}

template <typename Seen> Seen& findOrAdd(std::vector<Seen>& seen, const QString& name)
{
    auto found =
        std::find_if(seen.begin(), seen.end(), [&](const Seen& item) { return sameName(item.name, name); });
    if (found != seen.end())
        return *found;
    seen.push_back(Seen{});
    seen.back().name = name;
    return seen.back();
}

struct PositionSeen
{
    QString name;
    int most = 0;
    // Players without SPP or injuries, as they were hired.
    Votes<GoldPieces> cost;
    Votes<Profile> profile;
    Votes<QStringList> skills;
    // Every player, his advances and injuries taken back.
    std::optional<GoldPieces> lowestCost;
    Votes<Profile> anyProfile;
    std::optional<QStringList> sharedSkills;
};

struct RaceSeen
{
    QString name;
    Votes<GoldPieces> reRoll;
    std::vector<PositionSeen> positions;
};

constexpr std::array<StaffLine, 5> PricedStaff = {StaffLine::FanFactor, StaffLine::AssistantCoaches,
                                                  StaffLine::Cheerleaders, StaffLine::Apothecary,
                                                  StaffLine::Wizard};
const char* const PricedStaffNames[] = {"fan factor", "assistant coach", "cheerleader", "apothecary",
                                        "wizard"};

} // namespace

struct RulesLearner::Learned
{
    std::vector<RaceSeen> races;
    std::array<Votes<GoldPieces>, PricedStaff.size()> prices;
    QStringList skills;                   // in the spelling first seen
    QHash<QString, qsizetype> skillIndex; // into skills, by nameKey: pages may name thousands
    QStringList notes;

    // The skills of a skills text in the spelling first seen, in alphabetical order.
    QStringList skillsOf(const SkillsText& text)
    {
        QStringList named;
        for (const QString& skill : text.skills) {
            const QString key = nameKey(skill);
            auto at = skillIndex.constFind(key);
            if (at == skillIndex.cend()) {
                at = skillIndex.insert(key, skills.size());
                skills.append(skill);
            }
            const QString& spelling = skills[*at];
            if (!named.contains(spelling))
                named.append(spelling);
        }
        named.sort(Qt::CaseInsensitive);
        return named;
    }

    void addPlayer(RaceSeen& race, const PlayerRow& row, const QString& page, std::map<QString, int>& fielded)
    {
        PositionSeen& position = findOrAdd(race.positions, row.position);
        ++fielded[position.name];
        const SkillsText skills = readSkillsText(row.skills);
        const QStringList named = skillsOf(skills);
        Profile profile{};
        const Profile losses = injuryLosses(row.injuries);
        for (std::size_t i = 0; i < profile.size(); ++i) {
            if (!row.characteristics[i])
                return;
            profile[i] = *row.characteristics[i];
        }
        const Money cost = parseMoney(row.cost.toStdString());
        if (row.spp.value_or(1) == 0 && row.injuries.trimmed().isEmpty()) {
            if (cost.isKnown())
                position.cost.add(cost.amount, page);
            position.profile.add(profile, page);
            position.skills.add(named, page);
        }
        for (std::size_t i = 0; i < profile.size(); ++i)
            profile[i] += losses[i] - skills.gained[i];
        position.anyProfile.add(profile, page);
        if (cost.isKnown())
            position.lowestCost = std::min(position.lowestCost.value_or(cost.amount), cost.amount);
        if (!position.sharedSkills)
            position.sharedSkills = named;
        else
            position.sharedSkills->removeIf([&](const QString& skill) { return !named.contains(skill); });
    }
};

RulesLearner::RulesLearner() : m_learned(std::make_unique<Learned>()) {}

RulesLearner::~RulesLearner() = default;

void RulesLearner::addRoster(const RosterSheet& sheet, const QString& page)
{
    const QString raceName = raceOf(sheet);
    if (raceName.isEmpty()) {
        m_learned->notes.append(
            QStringLiteral("%1: the page names no race; nothing learned from it").arg(page));
        return;
    }
    RaceSeen& race = findOrAdd(m_learned->races, raceName);
    std::map<QString, int> fielded;
    for (const PlayerRow& row : playerRows(sheet)) {
        if (!row.position.isEmpty())
            m_learned->addPlayer(race, row, page, fielded);
    }
    for (PositionSeen& position : race.positions)
        position.most = std::max(position.most, fielded[position.name]);

    const MoneyTexts texts = moneyTextsOf(sheet);
    const auto price = [&texts](StaffLine line) { return parsePrice(texts.line(line).price); };
    if (const Money reRoll = price(StaffLine::ReRolls); reRoll.isKnown())
        race.reRoll.add(reRoll.amount, page);
    for (std::size_t i = 0; i < PricedStaff.size(); ++i) {
        if (const Money staff = price(PricedStaff[i]); staff.isKnown())
            m_learned->prices[i].add(staff.amount, page);
    }
}

LeagueRules RulesLearner::rules(const QString& league) const
{
    LeagueRules rules;
    rules.league = league;
    // The prices a new team's page shows, where no page gives one.
    const StaffPrices defaults;
    const GoldPieces* const prices[] = {&defaults.fanFactor, &defaults.assistantCoach, &defaults.cheerleader,
                                        &defaults.apothecary, &defaults.wizard};
    GoldPieces* const learned[] = {&rules.prices.fanFactor, &rules.prices.assistantCoach,
                                   &rules.prices.cheerleader, &rules.prices.apothecary, &rules.prices.wizard};
    for (std::size_t i = 0; i < PricedStaff.size(); ++i)
        *learned[i] = m_learned->prices[i].isEmpty() ? *prices[i] : m_learned->prices[i].winner();
    for (const QString& skill : m_learned->skills)
        rules.skills.push_back({skill, UnknownCategory.toString()});
    for (const RaceSeen& seen : m_learned->races) {
        RaceRules race;
        race.name = seen.name;
        race.reRollPrice = seen.reRoll.isEmpty() ? GoldPieces{50'000} : seen.reRoll.winner();
        for (const PositionSeen& position : seen.positions) {
            PositionRules rulesOf;
            rulesOf.title = position.name;
            rulesOf.most = std::clamp(position.most, 1, RosterPlayerCount);
            const bool hired = !position.profile.isEmpty();
            rulesOf.profile = hired                           ? position.profile.winner()
                              : position.anyProfile.isEmpty() ? Profile{}
                                                              : position.anyProfile.winner();
            for (int& value : rulesOf.profile)
                value = std::clamp(value, LowestCharacteristic, HighestCharacteristic);
            rulesOf.startingSkills =
                hired ? position.skills.winner() : position.sharedSkills.value_or(QStringList());
            rulesOf.cost =
                !position.cost.isEmpty() ? position.cost.winner() : position.lowestCost.value_or(0);
            race.positions.push_back(std::move(rulesOf));
        }
        rules.races.push_back(std::move(race));
    }
    return rules;
}

QStringList RulesLearner::conflicts() const
{
    QStringList conflicts = m_learned->notes;
    const auto add = [&conflicts](const QString& conflict) {
        if (!conflict.isEmpty())
            conflicts.append(conflict);
    };
    for (std::size_t i = 0; i < PricedStaff.size(); ++i)
        add(m_learned->prices[i].conflict(
            QStringLiteral("%1 price:").arg(QLatin1StringView(PricedStaffNames[i])), moneyText));
    for (const RaceSeen& race : m_learned->races) {
        add(race.reRoll.conflict(QStringLiteral("%1 re-roll price:").arg(race.name), moneyText));
        for (const PositionSeen& position : race.positions) {
            const QString who = race.name + u' ' + position.name;
            add(position.cost.conflict(who + QStringLiteral(": cost"), moneyText));
            add(position.profile.conflict(who + QStringLiteral(": profile"), profileText));
            add(position.skills.conflict(who + QStringLiteral(": starting skills"), skillsText));
        }
    }
    return conflicts;
}
