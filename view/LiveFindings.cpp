#include "LiveFindings.h"

#include "ActiveRules.h"
#include "SheetTotals.h"

#include <algorithm>
#include <utility>

namespace {

QStringList sentencesAt(const std::vector<RulesFinding>& findings, const SheetCellRef& cell)
{
    QStringList sentences;
    for (const RulesFinding& finding : findings) {
        if (finding.cell == cell)
            sentences << finding.text;
    }
    return sentences;
}

// The cells whose findings are not the same in before and after.
std::vector<SheetCellRef> changedCells(const std::vector<RulesFinding>& before,
                                       const std::vector<RulesFinding>& after)
{
    std::vector<SheetCellRef> cells;
    for (const auto* findings : {&before, &after}) {
        for (const RulesFinding& finding : *findings) {
            if (std::find(cells.begin(), cells.end(), finding.cell) == cells.end() &&
                sentencesAt(before, finding.cell) != sentencesAt(after, finding.cell))
                cells.push_back(finding.cell);
        }
    }
    return cells;
}

} // namespace

LiveFindings::LiveFindings(RosterSheet& sheet, const ActiveRules& rules, QObject* parent)
    : QObject(parent), m_sheet(sheet), m_rules(rules)
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &LiveFindings::refresh);
    m_observer = m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
    connect(&m_rules, &ActiveRules::changed, this, &LiveFindings::rulesChanged);
}

LiveFindings::~LiveFindings()
{
    m_sheet.removeObserver(m_observer);
}

void LiveFindings::sheetChanged(const SheetChange& change)
{
    if (change.kind == SheetChange::Kind::Replaced)
        m_freshRoster = true;
    // The rules look at no match.
    const bool rosterCell = change.kind == SheetChange::Kind::Cell && change.grid != SheetGrid::Matches;
    if (rosterCell || rearrangesRoster(change))
        scheduleRefresh();
}

void LiveFindings::rulesChanged()
{
    m_freshRoster = true;
    scheduleRefresh();
}

void LiveFindings::scheduleRefresh()
{
    m_stale = true;
    if (!m_pending.isActive())
        m_pending.start();
}

void LiveFindings::bringUpToDate() const
{
    if (!m_stale)
        return;
    m_stale = false;
    const LeagueRules* rules = m_rules.rules();
    m_findings = rules ? rosterFindings(m_sheet, *rules) : std::vector<RulesFinding>();
    std::stable_partition(m_findings.begin(), m_findings.end(), [](const RulesFinding& finding) {
        return finding.severity == RulesFinding::Severity::Error;
    });
}

void LiveFindings::refresh()
{
    m_pending.stop();
    bringUpToDate();
    const bool fresh = std::exchange(m_freshRoster, false);
    if (m_findings != m_told) {
        const std::vector<SheetCellRef> cells = changedCells(m_told, m_findings);
        m_told = m_findings;
        emit changed(cells);
    }
    emit refreshed();
    if (fresh && hasErrorFinding(m_findings))
        emit shownWithErrors();
}

const std::vector<RulesFinding>& LiveFindings::findings() const
{
    bringUpToDate();
    return m_findings;
}

QString LiveFindings::markAt(SheetGrid grid, int col, int row) const
{
    return sentencesAt(findings(), {grid, col, row}).join(QLatin1Char('\n'));
}

bool LiveFindings::hasMark(SheetGrid grid, int col, int row) const
{
    const std::vector<RulesFinding>& all = findings();
    return std::any_of(all.begin(), all.end(), [&](const RulesFinding& finding) {
        return finding.cell == SheetCellRef{grid, col, row};
    });
}
