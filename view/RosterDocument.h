#pragma once

#include "EditHistory.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// The roster the window shows, seen as a document: its name, whether it has
// changed since it was last read, created or saved, and its undo history. It
// keeps the window's title, "<name>[*] - Team Editor", and asks before
// changes would be lost.
class RosterDocument : public QObject
{
    Q_OBJECT
public:
    enum class Origin
    {
        None,    // nothing shown yet
        NewTeam, // File, New or an import, not saved to a file yet
        Page     // read from a file or URL, or saved to a file
    };

    RosterDocument(RosterSheet& sheet, QWidget* window);

    EditHistory& history() { return m_history; }
    bool isModified() const { return m_history.isModified(); }
    Origin origin() const { return m_origin; }
    const QString& name() const { return m_name; }
    // The file or URL the roster was read from or saved to last.
    const QString& source() const { return m_source; }
    // The file Save writes to without asking, as an absolute path: the local
    // roster page the roster was read from, or the file it was saved to last.
    // Empty after File, New, an import or a page fetched from the web.
    const QString& ownFile() const { return m_ownFile; }
    QString title() const;

    // A roster was shown: a page read from source, or a new team.
    void pageShown(const QString& source);
    void newTeamShown();
    // An import of another tool's page: named after it, but with no file of
    // its own to save to.
    void importShown(const QString& from);
    // The roster was stored; file is where, when a chooser named it.
    void saved(const QString& file = {});

    // Save runs the save command; it gives false when the save was cancelled
    // (a failure throws, and so cancels too).
    using SaveCommand = std::function<bool()>;
    // True when the action that would drop the roster may go on: nothing
    // changed, or the user discarded the changes or saved them.
    bool mayDiscardChanges(const SaveCommand& save);

private:
    void start(Origin origin, QString source, QString name);
    void updateTitle();

    QWidget* m_window;
    EditHistory m_history;
    Origin m_origin = Origin::None;
    QString m_name;
    QString m_source;
    QString m_ownFile;
};
