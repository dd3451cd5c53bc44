#include "RosterDocument.h"

#include "Choosers.h"
#include "PageNames.h"

#include <QFileInfo>
#include <QWidget>

namespace {

const QString AppTitle = QStringLiteral("Team Editor");

// The page source dialog fetches every text that starts with "http" in any
// letter case, so such a page never came from a file of its own.
bool isFetched(const QString& source)
{
    return PageNames::isWebAddress(source) || source.startsWith(QLatin1String("HTTP"), Qt::CaseInsensitive);
}

} // namespace

RosterDocument::RosterDocument(RosterSheet& sheet, QWidget* window)
    : QObject(window), m_window(window), m_history(sheet)
{
    connect(&m_history, &EditHistory::modifiedChanged, this, &RosterDocument::updateTitle);
    updateTitle();
}

QString RosterDocument::title() const
{
    return m_origin == Origin::None ? AppTitle : m_name + QStringLiteral("[*] - ") + AppTitle;
}

void RosterDocument::pageShown(const QString& source)
{
    start(Origin::Page, source, PageNames::shortName(source));
    // Taken whole now: a relative name would name another file once the
    // working folder moves.
    if (!source.isEmpty() && !isFetched(source))
        m_ownFile = QFileInfo(source).absoluteFilePath();
}

void RosterDocument::newTeamShown()
{
    start(Origin::NewTeam, {}, QStringLiteral("New team"));
}

void RosterDocument::importShown(const QString& from)
{
    start(Origin::NewTeam, {}, PageNames::shortName(from));
}

void RosterDocument::saved(const QString& file)
{
    if (!file.isEmpty()) {
        m_origin = Origin::Page;
        m_source = file;
        m_name = PageNames::shortName(file);
        m_ownFile = QFileInfo(file).absoluteFilePath();
    }
    m_history.markSaved();
    updateTitle();
}

bool RosterDocument::mayDiscardChanges(const SaveCommand& save)
{
    // Before a roster is shown there is nothing of the user's to lose.
    if (!isModified() || m_origin == Origin::None)
        return true;
    switch (choosers().askToSaveChanges(m_window, m_name)) {
    case Choosers::SaveAnswer::Save:
        return save();
    case Choosers::SaveAnswer::Discard:
        return true;
    case Choosers::SaveAnswer::Cancel:
        break;
    }
    return false;
}

void RosterDocument::start(Origin origin, QString source, QString name)
{
    m_origin = origin;
    m_source = std::move(source);
    m_name = std::move(name);
    m_ownFile.clear();
    m_history.startClean();
    updateTitle();
}

void RosterDocument::updateTitle()
{
    m_window->setWindowTitle(title());
    // Before a roster is shown the title has no mark to show.
    m_window->setWindowModified(m_origin != Origin::None && isModified());
}
