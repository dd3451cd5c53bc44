#pragma once

#include "RosterImporter.h"
#include "TTeam.h"
#include "TextEncoding.h"

#include <QObject>
#include <QString>

#include <optional>

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
// Open Recent and Import, a page dropped on the window, the import bar's
// offer, and the guard that asks before changes would be lost.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    // The import bar and the commands that come with a shown roster.
    struct Controls
    {
        QToolBar* ImportBar;
        QLabel* ImportBarText;
        QAction* importButtonAction;
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
    // The import bar's Import button.
    void importOffered();
    void offerImport(const QString& pagePath, const TTeam& read, TextEncoding encoding);
    void showReadPage(const TTeam& team, const MatchRecord& record, TextEncoding encoding);
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
    // from: the page the import was made of, which names the roster.
    void showImport(const ImportResult& result, const QString& from);
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
    std::optional<ImportResult> m_offeredImport;
};
