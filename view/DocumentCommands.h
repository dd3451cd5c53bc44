#pragma once

#include "RosterImporter.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <QObject>
#include <QString>

class EditCommands;
class MatchRecord;
class PageSourceBox;
class PaperMenu;
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QToolBar;
class RosterDocument;
class RosterSheet;
class SaveCommands;
class TTeamView;

// The commands that change which roster the window shows: File, New, Open,
// Open Recent and Import, a page dropped on the window, and the guard that
// asks before changes would be lost.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    // The import bar and the commands that come with a shown roster.
    struct Controls
    {
        QToolBar* ImportBar;
        QLabel* ImportBarText;
        QAction* Save1;
        QAction* Save2;
        PaperMenu* paperMenu;
    };

    DocumentCommands(TTeamView& window, RosterSheet& sheet, RosterDocument& document,
                     PageSourceBox& pageSource, SaveCommands& saving, EditCommands& editing,
                     const Controls& controls);

    void newTeam();
    void openPageSource();
    // File, Import...: a page of another roster tool, read by the importer.
    void importPage();
    void showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding);
    // Shows the import of another tool's page; from names the page, and so
    // the roster. The import bar tells what the import took and left.
    void showImport(const ImportResult& result, const QString& from);
    void openPage(const QString& page);
    void exitProgram();
    // File, Open Recent, before the item it goes above.
    void createRecentPagesMenu(QMenu* file, QAction* before, const QString& startDirectory);

    bool mayDiscardChanges();
    bool mayReplaceWithReadPage();

    void closeRequested(QCloseEvent* event);
    void dragEntered(QDragEnterEvent* event);
    void dropped(QDropEvent* event);

private:
    void enableSaving();
    QString pageSource() const;
    void setPageSource(const QString& text);

    TTeamView& m_window;
    RosterSheet& m_sheet;
    RosterDocument* m_document;
    PageSourceBox& m_pageSource;
    SaveCommands& m_saving;
    EditCommands& m_editing;
    Controls m_controls;
};
