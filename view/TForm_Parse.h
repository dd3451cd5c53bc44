#pragma once

#include "MatchRecord.h"
#include "PageFile.h"
#include "PageSource.h"
#include "RosterReading.h"
#include "TNMHTTP.h"
#include "TTeam.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;
class QTemporaryDir;
class UrlHistoryBox;

// The page source dialog: takes the path or URL of a roster page, obtains the
// page (reading the file, or fetching the URL into a private temporary folder
// with progress and Cancel), reads it and
// announces the page read with pageRead. It remembers the URLs it read in the
// history file in the program's start directory; a history that cannot be
// written does not keep a page from being read. Modeless: the main window
// stays usable while it is open. Failures propagate as exceptions to the
// application's error report and leave the window and the current team as they were.
class TForm_Parse : public QDialog, public PageSource
{
    Q_OBJECT
public:
    // startDirectory: the folder of the history file.
    explicit TForm_Parse(const QString& startDirectory, QWidget* parent = nullptr);

    void FormCreate();
    void BtnParseClick();
    void Button1Click();
    // OK: reads the page the path box names (a file, or a URL fetched first).
    void readPageSource();
    // Browse: lets the user pick a file, then reads it as OK does.
    void browse();
    void StartParse(const QString& url);
    void ParseHTML(const PageLines& memo, TTeam& team, MatchRecord& matchRecord);

    // The text of the path box: the page source that Save writes to.
    QString pageSource() const override;
    void setPageSource(const QString& text) override;
    void bringUp() override;
    // Ends a running fetch at once; the dialog stays as it was before OK.
    void cancelFetch() override;
    bool fetching() const;
    void BtnCancelClick();
    void readPage(const QString& text) override;
    void setReplaceCheck(std::function<bool()> mayReplace) override;

    // Why the history could not be read at creation ("History file too
    // large: <path>"), or empty. The history is then kept in memory only.
    const QString& historyProblem() const;

    TNMHTTP NMHTTP1;
    PageLines Memo1; // the page being read

public slots:
    // Escape and the close box also end a running fetch.
    void reject() override;

signals:
    // A page was read without failure; the team is CurrentTeam by now.
    void pageRead(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding);
    // The page named by from was made by another roster tool, and the user
    // chose to import it.
    void otherToolPageImported(const ImportResult& imported, const QString& from);
    // StartParse read a page: only its match record is shown.
    void matchRecordRead(const MatchRecord& matchRecord, TextEncoding encoding);
    // The URL read could not be remembered ("History not saved: reason"); the
    // page is read all the same.
    void historyNotSaved(const QString& message);

private:
    // Controls, named by their object names too.
    QPushButton* BtnParse = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Cmb_HTML = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* LbProgress = nullptr;     // what a running fetch is doing
    QPushButton* BtnCancel = nullptr; // ends a running fetch

    void createControls();
    class FetchScope;
    void refuseWhileFetching() const;
    static QTemporaryDir fetchFolder();
    // Fetches url into folder and loads Memo1 with the page; false when Cancel ended it.
    bool fetchPage(const QString& url, const QTemporaryDir& folder);
    void showStatus(const std::string& status);
    void showReceived();
    // Reads Memo1; on success the team becomes CurrentTeam and its match record is returned.
    MatchRecord readCurrentTeam();
    // Reads Memo1 as a roster; a page refused as none is named by text.
    RosterReading readAsRosterPage(const QString& text) const;
    // False when the replace check kept the shown roster, or the user did not
    // import another tool's page. source names the page once shown: the URL,
    // or the file's whole path.
    bool readAndShowPage(const QString& text, const QString& source);

    QString m_startDirectory;
    QString m_lastChosenFile; // the open chooser starts from the name chosen last
    QString m_pagePath;       // the file Memo1 was loaded from
    UrlHistoryBox* m_history = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_fetching = false;
    bool m_cancelRequested = false;
    std::function<bool()> m_mayReplace;
};
