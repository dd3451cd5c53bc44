#include "FindingsPane.h"

#include "LiveFindings.h"
#include "StringGrid.h"

#include <QAction>
#include <QListWidget>
#include <QStyle>

FindingsPane::FindingsPane(const LiveFindings& findings, WindowGrids grids, QWidget* parent)
    : QDockWidget(parent), m_findings(findings), m_grids(grids), m_list(new QListWidget(this)),
      m_show(new QAction(QStringLiteral("Show &Findings"), this))
{
    setObjectName(QStringLiteral("FindingsDock"));
    m_list->setObjectName(QStringLiteral("FindingsList"));
    m_list->setWordWrap(true);
    setWidget(m_list);
    m_show->setObjectName(QStringLiteral("ShowFindings1"));
    m_show->setCheckable(true);
    connect(m_show, &QAction::triggered, this, &QWidget::setVisible);
    connect(this, &QDockWidget::visibilityChanged, m_show, [this] { m_show->setChecked(isVisible()); });
    connect(&m_findings, &LiveFindings::changed, this, &FindingsPane::showFindings);
    connect(&m_findings, &LiveFindings::shownWithErrors, this, &QWidget::show);
    connect(m_list, &QListWidget::itemClicked, this, &FindingsPane::goToFinding);
    connect(m_list, &QListWidget::itemActivated, this, &FindingsPane::goToFinding);
    showFindings();
}

void FindingsPane::showFindings()
{
    // Told only when the findings differ, so the items are made again only then.
    const std::vector<RulesFinding>& findings = m_findings.findings();
    setWindowTitle(QStringLiteral("Findings (%1)").arg(findings.size()));
    m_list->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const RulesFinding& finding : findings) {
        const bool error = finding.severity == RulesFinding::Severity::Error;
        auto* item = new QListWidgetItem(error ? errorIcon : warningIcon, finding.text, m_list);
        item->setData(SeverityRole, QString::fromLatin1(severityName(finding.severity)));
        item->setToolTip(finding.text);
        item->setData(GridRole, int(finding.cell.grid));
        item->setData(ColRole, finding.cell.col);
        item->setData(RowRole, finding.cell.row);
    }
}

void FindingsPane::goToFinding(QListWidgetItem* item)
{
    StringGrid* grid = m_grids.all()[std::size_t(item->data(GridRole).toInt())];
    grid->setCurrentCell(item->data(ColRole).toInt(), item->data(RowRole).toInt());
    grid->setFocus();
}
