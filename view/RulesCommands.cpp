#include "RulesCommands.h"

#include "ActiveRules.h"
#include "Choosers.h"
#include "EditHistory.h"
#include "ErrorReport.h"
#include "FindingsPane.h"
#include "IniFile.h"
#include "LiveFindings.h"
#include "RulesFile.h"
#include "StringGrid.h"
#include "TeamRating.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace {

constexpr std::string_view SettingsSection = "League Rules";
constexpr std::string_view PathKey = "Path";

} // namespace

RulesCommands::RulesCommands(ActiveRules& rules, RosterSheet& sheet, EditHistory& history, WindowGrids grids,
                             QMainWindow* window)
    : QObject(window), m_rules(rules), m_history(history), m_grids(grids), m_window(window),
      m_rating(std::make_unique<TeamRatingFollower>(sheet)), m_findings(new LiveFindings(sheet, rules, this)),
      m_pane(new FindingsPane(*m_findings, grids, window)), m_league(new QLabel(window))
{
    window->addDockWidget(Qt::RightDockWidgetArea, m_pane);
    m_pane->hide();
    m_league->setObjectName(QStringLiteral("LeagueName"));
    window->statusBar()->addPermanentWidget(m_league);
    m_league->hide();
    connect(&m_rules, &ActiveRules::changed, this, &RulesCommands::rulesChanged);
    connect(m_findings, &LiveFindings::refreshed, this, &RulesCommands::followSheet);
    // Marks come and go with texts in other cells than the one edited; only
    // their cells are painted again.
    connect(m_findings, &LiveFindings::changed, this, [this](const std::vector<SheetCellRef>& cells) {
        for (const SheetCellRef& cell : cells) {
            StringGrid* grid = m_grids.all()[std::size_t(cell.grid)];
            grid->viewport()->update(grid->cellRect(cell.col, cell.row));
        }
    });
}

RulesCommands::~RulesCommands()
{
    // The pane shows the findings, which go with the commands.
    delete m_pane;
}

void RulesCommands::addTo(QMenu* menu)
{
    menu->addSeparator();
    QAction* choose =
        menu->addAction(QStringLiteral("&League Rules..."), this, guarded([this] { chooseRules(); }));
    choose->setObjectName(QStringLiteral("LeagueRules1"));
    m_dropRules = menu->addAction(QStringLiteral("N&o League Rules"), this, guarded([this] { dropRules(); }));
    m_dropRules->setObjectName(QStringLiteral("NoLeagueRules1"));
    menu->addAction(m_pane->showAction());
    m_updateRating =
        menu->addAction(QStringLiteral("Update &Team Rating"), this, guarded([this] { updateTeamRating(); }));
    m_updateRating->setObjectName(QStringLiteral("UpdateTeamRating1"));
    rulesChanged();
}

void RulesCommands::load(ActiveRules& rules, const QString& path)
{
    try {
        rules.load(readRulesFile(path), path);
    } catch (const TeamEditorError& error) {
        throw TeamEditorError(std::string("League rules not loaded: ") + error.what());
    }
}

void RulesCommands::restore(const QString& settingsPath)
{
    m_settingsPath = settingsPath;
    std::string remembered;
    try {
        for (const auto& [key, value] : IniFile(settingsPath).readEntries(SettingsSection)) {
            if (key == PathKey)
                remembered = value;
        }
        if (!remembered.empty())
            load(m_rules, QString::fromStdString(remembered));
    } catch (const TeamEditorError& error) {
        m_startProblem = QString::fromUtf8(error.what());
    }
}

void RulesCommands::remember(const QString& path) const
{
    if (!m_settingsPath.isEmpty())
        IniFile(m_settingsPath).writeString(SettingsSection, PathKey, path.toStdString());
}

void RulesCommands::chooseRules()
{
    QString path = m_rules.path();
    if (!choosers().chooseRulesFile(m_window, path))
        return;
    // A file that fails to load changes nothing: the rules loaded before stay.
    load(m_rules, path);
    remember(path);
}

void RulesCommands::dropRules()
{
    m_rules.drop();
    remember(QString());
}

void RulesCommands::useRulesForThisRun(const QString& path)
{
    try {
        load(m_rules, path);
    } catch (const TeamEditorError&) {
        m_rules.drop();
        throw;
    }
}

void RulesCommands::updateTeamRating()
{
    m_history.asOneStep(QStringLiteral("Update Team Rating"), [this] { m_rating->update(); });
}

void RulesCommands::rulesChanged()
{
    const LeagueRules* rules = m_rules.rules();
    m_rating->setFormula(rules ? rules->teamRating : std::nullopt);
    m_league->setText(rules ? QStringLiteral("League: %1").arg(rules->league) : QString());
    m_league->setVisible(rules != nullptr);
    if (m_dropRules)
        m_dropRules->setEnabled(rules != nullptr);
    followSheet();
}

void RulesCommands::followSheet()
{
    if (m_updateRating)
        m_updateRating->setEnabled(m_rating->canUpdate());
}

QString RulesCommands::paperHeading() const
{
    const LeagueRules* rules = m_rules.rules();
    if (!rules)
        return {};
    return QStringLiteral("Findings (%1) against the rules of %2")
        .arg(m_findings->findings().size())
        .arg(rules->league);
}

QStringList RulesCommands::paperLines() const
{
    QStringList lines;
    for (const RulesFinding& finding : m_findings->findings()) {
        const bool error = finding.severity == RulesFinding::Severity::Error;
        lines << (error ? QStringLiteral("Error: ") : QStringLiteral("Warning: ")) + finding.text;
    }
    return lines;
}
