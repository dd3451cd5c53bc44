#pragma once

#include <QObject>
#include <QString>

class QComboBox;

// The page source dialog's path box as the list of URLs read: loaded from the
// history file, and each URL read added to the list and the file, with the
// pages read to the recent pages. Remembering is a convenience: a history that
// cannot be written is told once a command, and never fails a read.
class UrlHistoryBox : public QObject
{
    Q_OBJECT
public:
    // box: the path box; itemHeight: the height of a row of its list.
    UrlHistoryBox(QComboBox* box, QString startDirectory, int itemHeight, QObject* parent);

    // Fills the box from the history file.
    void load();
    // A new command: a failure to write is told again.
    void startCommand() { m_failed = false; }
    // Adds a URL about to be read to the list, and stores the list and the current entry.
    void rememberUrl(const QString& url);
    // Adds a page read without failure to the recent pages.
    void rememberRecentPage(const QString& page) const;

    // Why the history could not be read ("History file too large: <path>"),
    // or empty. The history is then kept in memory only.
    const QString& problem() const { return m_problem; }

signals:
    // "History not saved: reason"; the page is read all the same.
    void notSaved(const QString& message);

private:
    QString path() const;
    void addEntry(const QString& url);

    QComboBox* m_box;
    QString m_startDirectory;
    int m_itemHeight;
    QString m_problem;
    bool m_failed = false; // writing the history failed in this command
};
