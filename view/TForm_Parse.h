#pragma once

#include "MatchRecord.h"
#include "PageFile.h"
#include "PageSource.h"
#include "TNMHTTP.h"
#include "TTeam.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

// The page source dialog: takes the path or URL of a roster page, obtains the
// page (reading the file, or fetching the URL into "output1.htm"), reads it and
// announces the page read with pageRead. It remembers the URLs it read in the
// history file in the program's start directory. Modeless: the main window
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
    void StartParse(const QString& url);
    void ParseHTML(const PageLines& memo, TTeam& team, MatchRecord& matchRecord);

    // The text of the path box: the page source that Save writes to.
    QString pageSource() const override;
    void setPageSource(const QString& text) override;
    void bringUp() override;
    void readPage(const QString& text) override;
    bool abandonFetch() override;
    void setReplaceCheck(std::function<bool()> mayReplace) override;

    TNMHTTP NMHTTP1;
    PageLines Memo1; // the page being read
    QPushButton* BtnParse = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Cmb_HTML = nullptr;
    QPushButton* Button1 = nullptr;

signals:
    // A page was read without failure; the team is CurrentTeam by now.
    void pageRead(const TTeam& team, const MatchRecord& matchRecord, TextEncoding encoding);
    // File, Open read the page at pagePath, which another tool wrote.
    void otherToolPageRead(const QString& pagePath, const TTeam& team, TextEncoding encoding);
    // StartParse read a page: only its match record is shown.
    void matchRecordRead(const MatchRecord& matchRecord, TextEncoding encoding);

private:
    void createControls();
    QString historyPath() const;
    void addHistoryEntry(const QString& url);
    void rememberUrl(const QString& url);
    // False when the fetch was abandoned.
    bool fetchPage(const QString& url);
    // Reads Memo1; on success the team becomes CurrentTeam and its match record is returned.
    MatchRecord readCurrentTeam();
    // False when the replace check kept the shown roster.
    bool readAndShowPage();
    // Adds a page read without failure to the recent pages.
    void rememberRecentPage(const QString& text) const;

    QString m_startDirectory;
    QString m_lastChosenFile; // the open chooser starts from the name chosen last
    QString m_pagePath;       // the file Memo1 was loaded from
    int m_historyItemHeight = 0;
    bool m_fetching = false;
    bool m_fetchAbandoned = false;
    std::function<bool()> m_mayReplace;
};
