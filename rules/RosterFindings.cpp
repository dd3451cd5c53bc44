#include "RosterFindings.h"

#include "PlayerFindings.h"
#include "TeamRating.h"
#include "TeamValue.h"

#include <algorithm>

namespace {

using Severity = RulesFinding::Severity;

QString moneyText(GoldPieces amount)
{
    return QString::fromStdString(formatMoney(amount, defaultMoneyStyle()));
}

class TeamCheck
{
public:
    TeamCheck(const RosterSheet& sheet, const LeagueRules& rules, std::vector<RulesFinding>& findings)
        : m_sheet(sheet), m_rules(rules), m_findings(findings), m_players(playerRows(sheet)),
          m_texts(moneyTextsOf(sheet)), m_race(rules.findRace(raceOf(sheet)))
    {
        checkRace();
        checkPlayerCount();
        if (m_race)
            checkPositionLimits();
        checkStaff();
        checkTreasury();
        checkTeamRating();
        for (const PlayerRow& row : m_players)
            addPlayerFindings(row, m_race, m_rules, m_findings);
    }

private:
    void add(Severity severity, SheetCellRef cell, const QString& text)
    {
        m_findings.push_back({severity, cell, text});
    }

    static SheetCellRef detailsCell(int row) { return {SheetGrid::Details, DetailsRows::ValueCol, row}; }

    void checkRace()
    {
        if (m_race)
            return;
        const QString race = raceOf(m_sheet);
        QStringList known;
        for (const RaceRules& listed : m_rules.races)
            known.append(listed.name);
        add(Severity::Error, detailsCell(DetailsRows::Race),
            race.isEmpty() ? QStringLiteral("the team names no race")
                           : QStringLiteral("the league's rules have no race %1 (they have %2)")
                                 .arg(race, known.isEmpty() ? QStringLiteral("none")
                                                            : known.join(QStringLiteral(", "))));
    }

    void checkPlayerCount()
    {
        const int count = int(m_players.size());
        if (count > m_rules.mostPlayers) {
            add(Severity::Error, playerCell(m_players.back().slot, RosterCols::Position),
                QStringLiteral("%1 players, but a team may have at most %2")
                    .arg(count)
                    .arg(m_rules.mostPlayers));
        } else if (count < m_rules.fewestPlayers) {
            add(Severity::Warning, playerCell(firstEmptySlot(), RosterCols::Position),
                QStringLiteral("%1 players, but a team needs at least %2")
                    .arg(count)
                    .arg(m_rules.fewestPlayers));
        }
    }

    int firstEmptySlot() const
    {
        int slot = 1;
        for (const PlayerRow& row : m_players) {
            if (row.slot != slot)
                break;
            ++slot;
        }
        return slot;
    }

    void checkPositionLimits()
    {
        std::vector<int> fielded(m_race->positions.size(), 0);
        for (const PlayerRow& row : m_players) {
            const PositionRules* position = m_race->findPosition(row.position);
            if (!position)
                continue;
            const auto index = std::size_t(position - m_race->positions.data());
            if (++fielded[index] > position->most)
                add(Severity::Error, playerCell(row.slot, RosterCols::Position),
                    QStringLiteral("player %1 (%2): one %3 too many: a %4 team may field %5")
                        .arg(QString::number(row.slot), row.position, position->title, m_race->name,
                             QString::number(position->most)));
        }
    }

    void checkStaff()
    {
        struct Line
        {
            StaffLine line;
            const char* name;
            const char* hired; // with its article
            std::optional<GoldPieces> price;
            bool mayHire;
        };
        const Line lines[] = {
            {StaffLine::ReRolls, "re-roll", "", m_race ? std::optional(m_race->reRollPrice) : std::nullopt,
             true},
            {StaffLine::FanFactor, "fan factor", "", m_rules.prices.fanFactor, true},
            {StaffLine::AssistantCoaches, "assistant coach", "", m_rules.prices.assistantCoach, true},
            {StaffLine::Cheerleaders, "cheerleader", "", m_rules.prices.cheerleader, true},
            {StaffLine::Apothecary, "apothecary", "an apothecary", m_rules.prices.apothecary,
             !m_race || m_race->mayHireApothecary},
            {StaffLine::Wizard, "wizard", "a wizard", m_rules.prices.wizard,
             !m_race || m_race->mayHireWizard},
        };
        for (const Line& line : lines) {
            const StaffLineTexts& texts = m_texts.line(line.line);
            const Count count = parseCount(texts.count);
            // Only what the team has bought is priced.
            if (count.kind != Count::Kind::Known || count.value == 0)
                continue;
            const SheetCellRef countCell = sheetCellOf({MoneyCell::Kind::LineCount, int(line.line)});
            if (!line.mayHire)
                add(Severity::Error, countCell,
                    QStringLiteral("a %1 team may not hire %2")
                        .arg(m_race->name, QLatin1StringView(line.hired)));
            const Money price = parsePrice(texts.price);
            if (line.price && price.isKnown() && price.amount != *line.price)
                add(Severity::Error, sheetCellOf({MoneyCell::Kind::LinePrice, int(line.line)}),
                    QStringLiteral("the %1 price %2 differs from the league's %3")
                        .arg(QLatin1StringView(line.name), moneyText(price.amount), moneyText(*line.price)));
        }
    }

    void checkTreasury()
    {
        QStringView text =
            QStringView(m_sheet.cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::Treasury))
                .trimmed();
        if (text.isEmpty() || (text.front() != u'-' && text.front() != QChar(0x2212)))
            return;
        const Money owed = parseMoney(text.sliced(1).toString().toStdString());
        if (owed.isKnown() && owed.amount > 0)
            add(Severity::Error, detailsCell(DetailsRows::Treasury),
                QStringLiteral("the treasury is negative: %1").arg(text));
    }

    void checkTeamRating()
    {
        if (!m_rules.teamRating)
            return;
        const std::optional<TeamRating> expected = teamRatingOf(m_players, m_texts, *m_rules.teamRating);
        if (!expected)
            return;
        const QString& stated =
            m_sheet.cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::TeamRating);
        if (statesRating(stated, expected->rating))
            return;
        add(Severity::Warning, detailsCell(DetailsRows::TeamRating),
            QStringLiteral("team rating %1 should be %2: team value %3 / %4 + %5 SPP / %6")
                .arg(stated.trimmed().isEmpty() ? QStringLiteral("(none)") : stated.trimmed(),
                     QString::number(expected->rating), moneyText(expected->teamValue),
                     moneyText(m_rules.teamRating->valueDivisor), QString::number(expected->totalSpp),
                     QString::number(m_rules.teamRating->sppDivisor)));
    }

    const RosterSheet& m_sheet;
    const LeagueRules& m_rules;
    std::vector<RulesFinding>& m_findings;
    std::vector<PlayerRow> m_players;
    MoneyTexts m_texts;
    const RaceRules* m_race;
};

} // namespace

const char* severityName(RulesFinding::Severity severity)
{
    return severity == RulesFinding::Severity::Error ? "error" : "warning";
}

std::vector<RulesFinding> rosterFindings(const RosterSheet& sheet, const LeagueRules& rules)
{
    std::vector<RulesFinding> findings;
    TeamCheck(sheet, rules, findings);
    return findings;
}

bool hasErrorFinding(const std::vector<RulesFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const RulesFinding& finding) {
        return finding.severity == RulesFinding::Severity::Error;
    });
}
