#include "TTeamView.h"

#include "CellPainter.h"
#include "DocumentCommands.h"
#include "EditCommands.h"
#include "GridLayout.h"
#include "LookCommands.h"
#include "RosterDocument.h"
#include "SaveCommands.h"
#include "WindowState.h"

#include <QCloseEvent>

// The design's command names, each forwarding to the command it names.

void TTeamView::New1Click()
{
    newTeam();
}

void TTeamView::Open1Click()
{
    openPageSource();
}

void TTeamView::exit1Click()
{
    exitProgram();
}

void TTeamView::Save1Click()
{
    saveAs();
}

void TTeamView::Save2Click()
{
    save();
}

void TTeamView::Backgound1Click()
{
    chooseBackgroundColor();
}

void TTeamView::Table1Click()
{
    chooseTableColor();
}

void TTeamView::TableHeadings1Click()
{
    chooseHeadingsColor();
}

void TTeamView::Main1Click()
{
    chooseHeadingFont();
}

void TTeamView::Table2Click()
{
    chooseTableFont();
}

void TTeamView::WriteHTML()
{
    buildPage();
}

// The commands, each carried out by its command group.

void TTeamView::newTeam()
{
    m_documentCommands->newTeam();
}

void TTeamView::openPageSource()
{
    m_documentCommands->openPageSource();
}

void TTeamView::importPage()
{
    m_documentCommands->importPage();
}

void TTeamView::exitProgram()
{
    m_documentCommands->exitProgram();
}

bool TTeamView::save()
{
    return m_saving->save();
}

bool TTeamView::saveAs()
{
    return m_saving->saveAs();
}

void TTeamView::buildPage()
{
    m_saving->buildPage();
}

const std::vector<std::string>& TTeamView::pageBuffer() const
{
    return m_saving->pageBuffer();
}

void TTeamView::undo()
{
    m_editing->undo();
}

void TTeamView::redo()
{
    m_editing->redo();
}

void TTeamView::chooseBackgroundColor()
{
    m_look->chooseBackgroundColor();
}

void TTeamView::chooseTableColor()
{
    m_look->chooseTableColor();
}

void TTeamView::chooseHeadingsColor()
{
    m_look->chooseHeadingsColor();
}

void TTeamView::chooseHeadingFont()
{
    m_look->chooseHeadingFont();
}

void TTeamView::chooseTableFont()
{
    m_look->chooseTableFont();
}

QFont TTeamView::tableFont() const
{
    return m_look->tableFont();
}

QFont TTeamView::headingFont() const
{
    return m_look->headingFont();
}

bool TTeamView::isModified() const
{
    return m_document->isModified();
}

bool TTeamView::mayDiscardChanges()
{
    return m_documentCommands->mayDiscardChanges();
}

bool TTeamView::mayReplaceWithReadPage()
{
    return m_documentCommands->mayReplaceWithReadPage();
}

void TTeamView::showImport(const ImportResult& result, const QString& from)
{
    m_documentCommands->showImport(result, from);
}

void TTeamView::showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding)
{
    m_documentCommands->showReadPage(team, record, encoding);
}

void TTeamView::openPage(const QString& page)
{
    m_documentCommands->openPage(page);
}

void TTeamView::setPageSourceDialog(PageSource* dialog)
{
    m_pageSource.setDialog(dialog);
}

void TTeamView::closeEvent(QCloseEvent* event)
{
    m_documentCommands->closeRequested(event);
    if (event->isAccepted())
        m_windowState->store(*this, *m_layout);
}

void TTeamView::dragEnterEvent(QDragEnterEvent* event)
{
    m_documentCommands->dragEntered(event);
}

void TTeamView::dropEvent(QDropEvent* event)
{
    m_documentCommands->dropped(event);
}

void TTeamView::TeamGridDrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                                 bool focused)
{
    m_painter->paintRowHeaded(sender, canvas, col, row, rect, focused);
}

void TTeamView::TeamGrid2DrawCell(StringGrid* sender, QPainter& canvas, int col, int row, const QRect& rect,
                                  bool focused)
{
    m_painter->paintColumnHeaded(sender, canvas, col, row, rect, focused);
}
