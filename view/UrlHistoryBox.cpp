#include "UrlHistoryBox.h"

#include "Errors.h"
#include "PageHistory.h"
#include "RecentPages.h"

#include <QComboBox>
#include <QSize>

#include <utility>

UrlHistoryBox::UrlHistoryBox(QComboBox* box, QString startDirectory, int itemHeight, QObject* parent)
    : QObject(parent), m_box(box), m_startDirectory(std::move(startDirectory)), m_itemHeight(itemHeight)
{
}

QString UrlHistoryBox::path() const
{
    return PageHistory::locate(m_startDirectory);
}

void UrlHistoryBox::load()
{
    const PageHistory history(path());
    m_box->clear();
    m_problem.clear();
    try {
        for (const QString& url : history.urls())
            addEntry(url);
        const int current = history.currentIndex();
        m_box->setCurrentIndex(current >= 0 && current < m_box->count() ? current : -1);
    } catch (const ELimitError& error) {
        // A history too large to read starts the editor with an empty one,
        // kept in memory only, so that the file is never written over.
        m_box->clear();
        m_problem = QString::fromUtf8(error.what());
    }
}

void UrlHistoryBox::rememberRecentPage(const QString& page) const
{
    // A history too large to read is never written, nor one that just failed.
    if (!m_problem.isEmpty() || m_failed)
        return;
    try {
        RecentPages(path()).add(page);
    } catch (const TeamEditorError&) {
    }
}

void UrlHistoryBox::rememberUrl(const QString& url)
{
    const PageHistory history(path());
    const bool writable = m_problem.isEmpty();
    const auto store = [&](const auto& write) {
        if (!writable || m_failed)
            return;
        try {
            write();
        } catch (const TeamEditorError& error) {
            m_failed = true;
            emit notSaved(QStringLiteral("History not saved: %1").arg(QString::fromUtf8(error.what())));
        }
    };
    // MatchFixedString without MatchCaseSensitive compares whole entries in any letter case.
    if (m_box->findText(url, Qt::MatchFixedString) < 0) {
        addEntry(url);
        m_box->setCurrentIndex(m_box->count() - 1);
        store([&] { history.appendUrl(url); });
    }
    store([&] { history.storeCurrentIndex(m_box->currentIndex()); });
}

void UrlHistoryBox::addEntry(const QString& url)
{
    m_box->addItem(url);
    // The drop-down list's width follows the box, so only the height matters.
    m_box->setItemData(m_box->count() - 1, QSize(0, m_itemHeight), Qt::SizeHintRole);
}
