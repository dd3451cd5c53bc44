#include "SaveCommands.h"

#include "Choosers.h"
#include "PageNames.h"
#include "PageSourceBox.h"
#include "PageStore.h"
#include "ReadBackCheck.h"
#include "RosterDocument.h"
#include "RosterPage.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

SaveCommands::SaveCommands(RosterSheet& sheet, RosterDocument& document, PageSourceBox& pageSource,
                           QWidget* window)
    : QObject(window), m_sheet(sheet), m_document(&document), m_pageSource(pageSource), m_window(window)
{
}

void SaveCommands::buildPage()
{
    Memo1 = buildRosterPage(m_sheet);
}

bool SaveCommands::saveAs()
{
    buildPage();
    return confirmReadBack() && saveThroughChooser();
}

bool SaveCommands::save()
{
    buildPage();
    if (!confirmReadBack())
        return false;
    // Only the roster's own file is written without asking: the path box may
    // name a page that was refused, fetched or never read.
    const QString file = m_document->ownFile();
    if (file.isEmpty())
        return saveThroughChooser();
    storePage(Memo1, file);
    m_document->saved();
    return true;
}

bool SaveCommands::confirmReadBack()
{
    // Before anything is asked or replaced: a page that would not give back
    // what the window shows is saved only when the user says so.
    const std::optional<ReadBackDifference> difference = readBackDifference(m_sheet, Memo1);
    return !difference || choosers().confirmSaveAnyway(m_window, readBackWarning(*difference) +
                                                                     QStringLiteral(" Save anyway?"));
}

bool SaveCommands::saveThroughChooser()
{
    QString fileName = m_lastSaveName;
    if (!choosers().chooseSaveFile(m_window, fileName))
        return false;
    m_lastSaveName = fileName;
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    setPageSource(fileName);
    storePage(Memo1, fileName);
    m_document->saved(fileName);
    return true;
}

QString SaveCommands::pageSource() const
{
    return m_pageSource.text();
}

void SaveCommands::setPageSource(const QString& text)
{
    m_pageSource.setText(text);
}
