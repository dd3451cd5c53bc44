#include "DocumentCommands.h"

#include "Choosers.h"
#include "EditCommands.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "PageHistory.h"
#include "PageNames.h"
#include "PageSourceBox.h"
#include "PaperMenu.h"
#include "RecentPagesMenu.h"
#include "RosterDocument.h"
#include "SaveCommands.h"
#include "SheetBuilder.h"
#include "TTeamView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>

DocumentCommands::DocumentCommands(TTeamView& window, RosterSheet& sheet, RosterDocument& document,
                                   PageSourceBox& pageSource, SaveCommands& saving, EditCommands& editing,
                                   const Controls& controls)
    : QObject(&window), m_window(window), m_sheet(sheet), m_document(&document), m_pageSource(pageSource),
      m_saving(saving), m_editing(editing), m_controls(controls)
{
}

void DocumentCommands::createRecentPagesMenu(QMenu* file, QAction* before, const QString& startDirectory)
{
    auto* menu = new RecentPagesMenu(
        PageHistory::locate(startDirectory), [this](const QString& page) { openPage(page); }, file);
    file->insertMenu(before, menu);
}

void DocumentCommands::showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    // A report of an import is about the page shown before.
    m_controls.ImportBar->hide();
    // However the page came (the dialog, the command line, a drop), a shown
    // team can be saved.
    enableSaving();
    RosterSheet shown(m_sheet);
    putReadPage(shown, team, record, encoding);
    m_window.showPage(shown);
    m_document->pageShown(pageSource());
}

void DocumentCommands::newTeam()
{
    if (!mayDiscardChanges())
        return;
    m_controls.ImportBar->hide();
    enableSaving();
    resetToNewTeam(CurrentTeam);
    RosterSheet shown(m_sheet);
    putNewTeam(shown);
    m_window.showPage(shown);
    m_document->newTeamShown();
}

void DocumentCommands::openPageSource()
{
    enableSaving();
    if (m_pageSource.dialog())
        m_pageSource.dialog()->bringUp();
}

void DocumentCommands::importPage()
{
    QString path;
    if (!choosers().chooseOpenFile(&m_window, path))
        return;
    showImport(importRosterFile(QFile::encodeName(path).toStdString()), path);
}

// The imported team is shown as a read page is, and the bar tells what the
// import took and left. Save then asks for a file: writing back over the
// other tool's page would lose what the import left out.
void DocumentCommands::showImport(const ImportResult& result, const QString& from)
{
    if (!mayDiscardChanges())
        return;
    showReadPage(result.team, result.matchRecord, TextEncoding::Utf8);
    enableSaving();
    setPageSource(QStringLiteral("<none>"));
    m_document->importShown(from);
    m_controls.ImportBarText->setText(QString::fromStdString(result.summary()));
    m_controls.ImportBar->show();
}

void DocumentCommands::exitProgram()
{
    m_window.close();
}

void DocumentCommands::closeRequested(QCloseEvent* event)
{
    // A fetch in progress ends first, so that the program can end as soon as
    // the question is answered. The window stays until the answer lets it
    // go; a failing save is reported and keeps it.
    event->ignore();
    if (m_pageSource.dialog())
        m_pageSource.dialog()->cancelFetch();
    runCommand([this, event] {
        if (mayDiscardChanges())
            event->accept();
    });
}

bool DocumentCommands::mayDiscardChanges()
{
    m_editing.finishCellEditing();
    return m_document->mayDiscardChanges([this] { return m_saving.save(); });
}

bool DocumentCommands::mayReplaceWithReadPage()
{
    // When the roster stays, the path box names the page that was not shown;
    // Save must go on writing where the shown roster belongs.
    const auto keepSource = [this, shownSource = m_document->source()] {
        if (m_document->origin() == RosterDocument::Origin::Page)
            setPageSource(shownSource);
    };
    try {
        if (mayDiscardChanges())
            return true;
    } catch (...) {
        keepSource();
        throw;
    }
    keepSource();
    return false;
}

void DocumentCommands::openPage(const QString& page)
{
    if (m_pageSource.dialog())
        m_pageSource.dialog()->readPage(PageNames::fromOutside(page));
}

void DocumentCommands::dragEntered(QDragEnterEvent* event)
{
    if (event->mimeData() && !PageNames::fromDrop(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DocumentCommands::dropped(QDropEvent* event)
{
    const QString page = event->mimeData() ? PageNames::fromDrop(*event->mimeData()) : QString();
    if (page.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the program the page came from is not
    // kept waiting through a question or a fetch.
    QMetaObject::invokeMethod(
        this, [this, page] { runCommand([this, page] { openPage(page); }); }, Qt::QueuedConnection);
}

void DocumentCommands::enableSaving()
{
    m_controls.Save1->setEnabled(true);
    m_controls.Save2->setEnabled(true);
    m_controls.paperMenu->setEnabled(true);
}

QString DocumentCommands::pageSource() const
{
    return m_pageSource.text();
}

void DocumentCommands::setPageSource(const QString& text)
{
    m_pageSource.setText(text);
}
