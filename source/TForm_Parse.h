#pragma once

#include "MatchRecord.h"
#include "PageFile.h"
#include "TNMHTTP.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;
class TTeamView;
struct TTeam;

// The page source dialog: takes the path or URL of a roster page, obtains the
// page (reading the file, or fetching the URL into "output1.htm"), reads it and
// hands the team to the main window. It remembers the URLs it read in the
// history file beside the program's start directory. Modeless: the main window
// stays usable while it is open. Failures propagate as exceptions to the
// application's error report and leave the window and the current team as they were.
class TForm_Parse : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Parse(TTeamView* teamView, QWidget* parent = nullptr);

    void FormCreate();
    void BtnParseClick();
    void Button1Click();
    void StartParse(const QString& url);
    void ParseHTML(const PageLines& memo, TTeam& team, MatchRecord& matchRecord);

    // The text of the path box: the page source that Save writes to.
    QString pageSource() const;
    void setPageSource(const QString& text);

    TNMHTTP NMHTTP1;
    PageLines Memo1; // the page being read
    QPushButton* BtnParse = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Cmb_HTML = nullptr;
    QPushButton* Button1 = nullptr;

private:
    void createControls();
    QString historyPath() const;
    void addHistoryEntry(const QString& url);
    void rememberUrl(const QString& url);
    void fetchPage(const QString& url);
    // Reads Memo1; on success the team becomes CurrentTeam and its match record is returned.
    MatchRecord readCurrentTeam();
    void readAndShowPage();

    TTeamView* m_teamView;
    QString m_lastChosenFile; // the open chooser starts from the name chosen last
    int m_historyItemHeight = 0;
};
