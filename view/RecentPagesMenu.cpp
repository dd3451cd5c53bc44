#include "RecentPagesMenu.h"

#include "ErrorReport.h"
#include "Errors.h"
#include "RecentPages.h"

#include <QFontMetrics>

namespace {

constexpr int MaxItemWidth = 480;

} // namespace

RecentPagesMenu::RecentPagesMenu(QString iniPath, OpenHandler open, QWidget* parent)
    : QMenu(QStringLiteral("Open &Recent"), parent), m_iniPath(std::move(iniPath)), m_open(std::move(open))
{
    setObjectName(QStringLiteral("RecentPagesMenu"));
    connect(this, &QMenu::aboutToShow, this, &RecentPagesMenu::refresh);
    refresh();
}

void RecentPagesMenu::refresh()
{
    clear();
    QStringList pages;
    // A history file too large to read shows no recent pages; the window
    // reports it once at start.
    try {
        pages = RecentPages(m_iniPath).pages();
    } catch (const ELimitError&) {
    }
    const QFontMetrics metrics(font());
    for (int index = 0; index < pages.size(); ++index) {
        const QString& page = pages.at(index);
        // "&" in a path would otherwise mark an access key.
        QString shown = metrics.elidedText(page, Qt::ElideMiddle, MaxItemWidth);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QStringLiteral("1&0");
        QAction* item = addAction(number + QLatin1Char(' ') + shown);
        item->setData(page);
        item->setToolTip(page);
        connect(item, &QAction::triggered, this, guarded([this, page] { m_open(page); }));
    }
    if (pages.isEmpty()) {
        addAction(QStringLiteral("No recent pages"))->setEnabled(false);
        return;
    }
    addSeparator();
    addAction(QStringLiteral("&Clear List"), this, guarded([this] {
                  RecentPages(m_iniPath).clear();
                  refresh();
              }));
}
