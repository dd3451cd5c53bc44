#include "TForm_Parse.h"

#include "Controls.h"

#include "Choosers.h"
#include "Errors.h"
#include "EventPump.h"
#include "IniFile.h"
#include "NetErrors.h"
#include "PageHistory.h"
#include "ScriptedServer.h"
#include "StringGrid.h"
#include "TTeamView.h"
#include "TeamEditorApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace {

const std::string GoodPage = "<HTML><HEAD><TITLE>Orc Raiders</TITLE></HEAD>\r\n"
                             "<BODY>\r\n"
                             "<P><P>Match Record<P></FONT>\r\n"
                             "<TABLE>\r\n"
                             "<TR><TH>Result</TH><TH>Opponent</TH></TR>\r\n"
                             "<TR><TD>W</TD><TD>Elves</TD></TR>\r\n"
                             "</TABLE></BODY></HTML>\r\n";

// Fails on its last line, after its match record was read.
const std::string FailingPage = "<HTML><HEAD><TITLE>Broken</TITLE></HEAD>\r\n"
                                "<P>Game Record<P>\r\n"
                                "<TR><TH>Only</TH></TR>\r\n"
                                "<TR><TD>Team Rating:</TD><TD>12O</TD></TR>\r\n";

std::string httpReply(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body;
}

class ScriptedChoosers : public Choosers
{
public:
    bool chooseColor(QWidget*, const QString&, TColor&) override { return false; }
    bool chooseFont(QWidget*, const QString&, FontChoice&) override { return false; }
    bool chooseOpenFile(QWidget*, QString& path) override
    {
        presets.push_back(path);
        if (!answer)
            return false;
        path = *answer;
        return true;
    }
    bool chooseSaveFile(QWidget*, QString&) override { return false; }
    bool confirmSaveAnyway(QWidget*, const QString&) override { return false; }
    bool confirmImport(QWidget*, const QString&) override { return false; }
    bool chooseExportFile(QWidget*, QString&, const ExportFileKind&) override { return false; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    bool chooseRulesFile(QWidget*, QString&) override { return false; }
    // No test here changes the roster before reading another page.
    SaveAnswer askToSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Cancel; }
    bool chooseHire(QWidget*, const QString&, const std::vector<PositionOffer>&, HireChoice&) override
    {
        return false;
    }
    bool chooseSkill(QWidget*, const QString&, const SkillChoice&, QString&) override { return false; }
    bool confirmFire(QWidget*, const QString&) override { return false; }

    std::optional<QString> answer;
    QStringList presets;
};

class PageSourceDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "source_gui_tests";
        static char* argv[] = {name, nullptr};
        if (qApp)
            return;
        // Headless unless the runner chose a platform.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_start.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(m_start.path());
        CurrentTeam = TTeam{};
        auto choosers = std::make_unique<ScriptedChoosers>();
        m_choosers = choosers.get();
        setChoosers(std::move(choosers));
        createWindows();
    }

    void TearDown() override
    {
        m_dialog.reset();
        m_view.reset();
        setChoosers(nullptr);
        QDir::setCurrent(m_previousDirectory);
    }

    // The main window records the working directory as the start directory.
    void createWindows()
    {
        m_dialog.reset();
        m_view = std::make_unique<TTeamView>();
        m_dialog = std::make_unique<TForm_Parse>(m_view->startDirectory());
        TeamEditorApplication::connectWindows(*m_view, *m_dialog);
    }

    QString inStart(const QString& name) const { return m_start.filePath(name); }
    // The start folder's file when there is one, else the one in the
    // configuration folder.
    QString historyPath() const { return PageHistory::locate(m_start.path()); }

    static void writeFile(const QString& path, const std::string& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    static std::string readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }

    // Runs OK with text in the path box, the dialog open, and expects the
    // failure message; the dialog stays open with the text for another try.
    template <typename Error> void expectOkFails(const QString& text, const std::string& message)
    {
        m_dialog->show();
        m_dialog->setPageSource(text);
        try {
            m_dialog->BtnParseClick();
            ADD_FAILURE() << "no exception for " << text.toStdString();
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
        EXPECT_TRUE(m_dialog->isVisible());
        EXPECT_EQ(m_dialog->pageSource(), text);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    std::vector<QString> gameCells() const
    {
        std::vector<QString> cells;
        for (int row = 0; row < control<StringGrid>(m_view.get(), "GameGrid")->rowCount(); ++row) {
            for (int col = 0; col < control<StringGrid>(m_view.get(), "GameGrid")->colCount(); ++col)
                cells.push_back(control<StringGrid>(m_view.get(), "GameGrid")->cell(col, row));
        }
        return cells;
    }

    QTemporaryDir m_start;
    QTemporaryDir m_config;
    QString m_previousDirectory;
    ScriptedChoosers* m_choosers = nullptr;
    std::unique_ptr<TTeamView> m_view;
    std::unique_ptr<TForm_Parse> m_dialog;
};

struct HistoryCase
{
    const char* name;
    std::optional<std::string> file;
    QStringList items;
    int index;
    QString text;
};

TEST_F(PageSourceDialogTest, LoadsTheHistoryAtCreation)
{
    const std::string entries = "[Team HTML]\r\nhttp://a/one.htm=\r\nhttp://b/?team=12&x=y=\r\n";
    const QStringList urls{"http://a/one.htm", "http://b/?team=12&x=y"};
    const HistoryCase cases[] = {
        {"no file", std::nullopt, {}, -1, ""},
        {"no current entry", entries, urls, 0, urls[0]},
        {"current entry", entries + "[Current]\r\nTeam HTML=1\r\n", urls, 1, urls[1]},
        {"hexadecimal", entries + "[Current]\r\nTeam HTML=0x1\r\n", urls, 1, urls[1]},
        {"not a number", entries + "[Current]\r\nTeam HTML=one\r\n", urls, 0, urls[0]},
        {"none selected", entries + "[Current]\r\nTeam HTML=-1\r\n", urls, -1, ""},
        {"beyond the end", entries + "[Current]\r\nTeam HTML=2\r\n", urls, -1, ""},
    };
    for (const HistoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(historyPath());
        if (c.file)
            writeFile(historyPath(), *c.file);
        createWindows();
        QStringList items;
        for (int i = 0; i < control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(); ++i)
            items.append(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->itemText(i));
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->currentIndex(), c.index);
        EXPECT_EQ(m_dialog->pageSource(), c.text);
        EXPECT_EQ(QFile::exists(historyPath()), c.file.has_value());
    }
}

TEST_F(PageSourceDialogTest, OkReadsALocalFileAndShowsTheTeam)
{
    writeFile(inStart("team.htm"), GoodPage);
    m_dialog->show();
    m_dialog->setPageSource("team.htm");
    m_dialog->BtnParseClick();

    EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_FALSE(control<StringGrid>(m_view.get(), "TeamGrid")->isHidden());
    EXPECT_FALSE(control<StringGrid>(m_view.get(), "GameGrid")->isHidden());
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->cell(1, 1), "Elves");
    EXPECT_EQ(m_dialog->pageSource(), "team.htm");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // A local file joins the recent pages only, not the URL history.
    EXPECT_EQ(readFile(historyPath()),
              "[Recent Pages]\r\nPage1=" + QFileInfo(inStart("team.htm")).absoluteFilePath().toStdString() +
                  "\r\n");
}

TEST_F(PageSourceDialogTest, NoneClosesWithoutReading)
{
    CurrentTeam.TeamName = "Kept";
    m_dialog->show();
    m_dialog->setPageSource("<none>");
    m_dialog->BtnParseClick();

    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(CurrentTeam.TeamName, "Kept");
    EXPECT_TRUE(control<StringGrid>(m_view.get(), "TeamGrid")->isHidden());
    EXPECT_FALSE(QFile::exists(historyPath()));
}

TEST_F(PageSourceDialogTest, SourcesThatCannotBeOpenedAreReported)
{
    expectOkFails<EFileError>("", "Cannot open file ");
    expectOkFails<EFileError>("<NONE>", "Cannot open file <NONE>");
    expectOkFails<EFileError>("missing.htm", "Cannot open file missing.htm");
    EXPECT_TRUE(control<StringGrid>(m_view.get(), "TeamGrid")->isHidden());
}

TEST_F(PageSourceDialogTest, AFailedReadKeepsTheShownTeam)
{
    writeFile(inStart("team.htm"), GoodPage);
    m_dialog->setPageSource("team.htm");
    m_dialog->BtnParseClick();
    const TTeam shown = CurrentTeam;
    const std::vector<QString> cells = gameCells();
    const QString heading = control<QLabel>(m_view.get(), "LbTName")->text();

    writeFile(inStart("broken.htm"), FailingPage);
    expectOkFails<EConvertError>("broken.htm", "'12O' is not a valid integer value");
    EXPECT_EQ(CurrentTeam, shown);
    EXPECT_EQ(gameCells(), cells);
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), heading);
}

TEST_F(PageSourceDialogTest, UrlsAreRememberedFetchedAndRead)
{
    ScriptedServer server(Reply(httpReply(GoodPage)), 3);
    const QString url = QString::fromStdString(server.url("/team.htm"));

    // The socket waits pump events; the busy cursor shows meanwhile. The page
    // goes to a folder of the fetch's own, which only its owner can enter.
    bool busyWhileWaiting = false;
    QString fetchFolder;
    QFileDevice::Permissions folderPermissions;
    setEventPump([&] {
        const QCursor* cursor = QApplication::overrideCursor();
        busyWhileWaiting = busyWhileWaiting || (cursor && cursor->shape() == Qt::WaitCursor);
        fetchFolder = QFileInfo(QString::fromStdString(m_dialog->NMHTTP1.FileName.str())).absolutePath();
        folderPermissions = QFileInfo(fetchFolder).permissions();
    });
    m_dialog->setPageSource(url);
    m_dialog->BtnParseClick();
    setEventPump({});
    EXPECT_TRUE(busyWhileWaiting);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
    EXPECT_FALSE(QFile::exists(inStart("output1.htm")));
    EXPECT_FALSE(QFile::exists(inStart("Head.txt")));
    EXPECT_NE(QFileInfo(fetchFolder).canonicalFilePath(), QFileInfo(m_start.path()).canonicalFilePath());
    EXPECT_EQ(folderPermissions & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                                    QFile::WriteUser | QFile::ExeUser),
              QFileDevice::Permissions());
    EXPECT_FALSE(QFileInfo::exists(fetchFolder));
    EXPECT_EQ(readFile(historyPath()),
              "[Team HTML]\r\n" + url.toStdString() +
                  "=\r\n\r\n[Current]\r\nTeam HTML=0\r\n\r\n[Recent Pages]\r\nPage1=" + url.toStdString() +
                  "\r\n");

    // The same URL in other letters is not added again, but "Current" is
    // written again.
    writeFile(historyPath(), "[Team HTML]\r\n" + url.toStdString() + "=\r\n[Current]\r\nTeam HTML=5\r\n");
    m_dialog->setPageSource(url.toUpper());
    m_dialog->BtnParseClick();
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 1);
    EXPECT_EQ(readFile(historyPath()), "[Team HTML]\r\n" + url.toStdString() +
                                           "=\r\n[Current]\r\nTeam HTML=0\r\n\r\n[Recent Pages]\r\nPage1=" +
                                           url.toUpper().toStdString() + "\r\n");

    const QString second = QString::fromStdString(server.url("/other.htm?team=12"));
    m_dialog->setPageSource(second);
    m_dialog->BtnParseClick();
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->currentIndex(), 1);
    EXPECT_EQ(PageHistory(historyPath()).urls(), (QStringList{url, second}));
    EXPECT_EQ(PageHistory(historyPath()).currentIndex(), 1);

    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("GET /team.htm HTTP/1.0\r\n", 0), 0u);
    EXPECT_EQ(requests[2].rfind("GET /other.htm?team=12 HTTP/1.0\r\n", 0), 0u);
}

// A history file too large to read: the dialog starts with an empty history,
// says why, and keeps the URLs read in memory without writing over the file.
TEST_F(PageSourceDialogTest, AHistoryTooLargeStartsEmptyAndIsNeverWritten)
{
    const std::string huge = "[Team HTML]\r\nhttp://a/=\r\n" + std::string(IniFile::SizeLimit, '\n');
    writeFile(historyPath(), huge);
    createWindows();
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 0);
    EXPECT_EQ(m_dialog->historyProblem().toStdString(),
              "History file too large: " + historyPath().toStdString());

    ScriptedServer server(httpReply(GoodPage));
    const QString url = QString::fromStdString(server.url("/team.htm"));
    m_dialog->setPageSource(url);
    m_dialog->BtnParseClick();
    EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 1);
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->itemText(0), url);
    EXPECT_EQ(readFile(historyPath()), huge);
}

TEST_F(PageSourceDialogTest, ARedirectedUrlIsRememberedAsTyped)
{
    ScriptedServer server(
        {Reply("HTTP/1.0 302 Found\r\nLocation: /moved/team.htm\r\n\r\n"), Reply(httpReply(GoodPage))});
    const QString typed = QString::fromStdString(server.url("/team.htm"));
    m_dialog->setPageSource(typed);
    m_dialog->BtnParseClick();
    EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
    EXPECT_EQ(PageHistory(historyPath()).urls(), QStringList{typed});
    EXPECT_EQ(m_dialog->pageSource(), typed);
}

TEST_F(PageSourceDialogTest, LongUrlsAreRefusedBeforeAnythingIsSentOrRemembered)
{
    ScriptedServer server(httpReply(GoodPage));
    const std::string url = server.url("/" + std::string(300, 'p') + ".htm");
    expectOkFails<HTTPException>(QString::fromStdString(url), "Address too long: " + url);
    EXPECT_FALSE(server.requestReceived());
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 0);
    EXPECT_FALSE(QFile::exists(historyPath()));
}

// Remembering a URL is a convenience: a history that cannot be written (or
// locked) is told once in the status bar, and the page is read all the same.
TEST_F(PageSourceDialogTest, AHistoryThatCannotBeWrittenIsToldAndThePageReadAllTheSame)
{
    const QString lock = historyPath() + ".lock";
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a folder in the file's place", [&] { ASSERT_TRUE(QDir().mkdir(historyPath())); }},
        {"a folder in the lock's place", [&] { ASSERT_TRUE(QDir().mkdir(lock)); }},
        {"a dangling link in the lock's place", [&] { ASSERT_TRUE(QFile::link(inStart("gone"), lock)); }},
    };
    for (const auto& [name, block] : cases) {
        SCOPED_TRACE(name);
        block();
        createWindows();
        QStringList told;
        QObject::connect(m_dialog.get(), &TForm_Parse::historyNotSaved,
                         [&told](const QString& message) { told << message; });
        ScriptedServer server(httpReply(GoodPage));
        CurrentTeam = TTeam{};
        m_dialog->setPageSource(QString::fromStdString(server.url("/team.htm")));
        m_dialog->BtnParseClick();
        EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
        ASSERT_EQ(told.size(), 1);
        const QString start = "History not saved: Unable to write to " + historyPath() + ": ";
        EXPECT_TRUE(told[0].startsWith(start)) << told[0].toStdString();
        EXPECT_EQ(m_view->statusBar()->currentMessage(), told[0]);
        EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 1);
        QDir().rmdir(historyPath());
        QDir().rmdir(lock);
        QFile::remove(lock);
    }
}

TEST_F(PageSourceDialogTest, UrlsAreToldFromFileNamesByTheirFirstFourLetters)
{
    // A URL fails at the fetch and a file name at opening the file.
    const std::pair<QString, std::string> cases[] = {
        {"http://127.0.0.1:9/a.htm", "Connection Failed"},
        {"HTTPS://127.0.0.1:9/a.htm", "Connection Failed"},
        {"hTtPfile.htm", "HTTP Parsing URL failed"},
        {"htt", ""},
        {" http://127.0.0.1:9/a.htm", ""},
        {QString::fromUtf8("\u0127ttp://x"), ""},
    };
    for (const auto& [text, fetchFailure] : cases) {
        SCOPED_TRACE(text.toStdString());
        expectOkFails<TeamEditorError>(text, fetchFailure.empty() ? "Cannot open file " + text.toStdString()
                                                                  : fetchFailure);
    }
}

TEST_F(PageSourceDialogTest, BrowseReadsTheChosenFileAndMovesTheWorkingDirectory)
{
    ASSERT_TRUE(QDir(m_start.path()).mkdir("pages"));
    const QString pages = inStart("pages");
    writeFile(pages + "/team.htm", GoodPage);

    m_dialog->Button1Click();
    EXPECT_EQ(m_choosers->presets, QStringList{""});
    EXPECT_EQ(QDir::currentPath(), QDir(m_start.path()).absolutePath());

    m_choosers->answer = pages + "/team.htm";
    m_dialog->show();
    m_dialog->Button1Click();
    EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->pageSource(), QFileInfo(pages + "/team.htm").absoluteFilePath());
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(pages).canonicalFilePath());
    EXPECT_EQ(QFileInfo(m_view->startDirectory()).canonicalFilePath(),
              QFileInfo(m_start.path()).canonicalFilePath());

    // A later fetch leaves no files in the chosen folder; the history stays
    // in the start directory.
    ScriptedServer server(httpReply(GoodPage));
    m_dialog->setPageSource(QString::fromStdString(server.url("/team.htm")));
    m_dialog->BtnParseClick();
    EXPECT_FALSE(QFile::exists(pages + "/output1.htm"));
    EXPECT_FALSE(QFile::exists(pages + "/Head.txt"));
    EXPECT_TRUE(QFile::exists(historyPath()));
    EXPECT_FALSE(QFile::exists(pages + "/SkarnIRC.ini"));

    m_choosers->answer.reset();
    m_dialog->Button1Click();
    EXPECT_EQ(m_choosers->presets.back(), pages + "/team.htm");
}

// While a page is fetched the dialog says what it does and offers Cancel, with
// OK disabled; Cancel, Escape or closing the main window end the fetch at
// once, without an error, and leave everything as it was before OK.
TEST_F(PageSourceDialogTest, ShowsProgressAndCancelEndsTheFetch)
{
    writeFile(inStart("team.htm"), GoodPage);
    m_dialog->setPageSource("team.htm");
    m_dialog->BtnParseClick();
    const TTeam shown = CurrentTeam;

    // 24 KB of an announced 80 KB, then silence.
    const std::string header = "HTTP/1.0 200 OK\r\nContent-Length: 81920\r\n\r\n";
    ScriptedServer server(Reply(header + std::string(24 * 1024, 'x'), "", true), 3);
    const QString url = QString::fromStdString(server.url("/team.htm"));
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel",
         [this] { QTest::mouseClick(control<QPushButton>(m_dialog.get(), "BtnCancel"), Qt::LeftButton); }},
        {"Escape", [this] { QTest::keyClick(m_dialog.get(), Qt::Key_Escape); }},
        {"closing the main window", [this] { m_view->close(); }},
    };
    for (const auto& [name, cancel] : ways) {
        SCOPED_TRACE(name);
        m_view->show();
        m_dialog->show();
        m_dialog->setPageSource(url);
        QStringList texts;
        bool okEnabled = false;
        bool cancelShown = true;
        setEventPump([&] {
            const QString text = control<QLabel>(m_dialog.get(), "LbProgress")->text();
            if (texts.isEmpty() || texts.back() != text)
                texts.append(text);
            okEnabled = okEnabled || control<QPushButton>(m_dialog.get(), "BtnParse")->isEnabled() ||
                        control<QPushButton>(m_dialog.get(), "Button1")->isEnabled();
            cancelShown = cancelShown && control<QPushButton>(m_dialog.get(), "BtnCancel")->isVisible() &&
                          control<QLabel>(m_dialog.get(), "LbProgress")->isVisible();
            if (text == "Received 24 KB of 80 KB")
                cancel();
        });
        m_dialog->BtnParseClick();
        setEventPump({});
        EXPECT_EQ(texts.front(), "Connecting to 127.0.0.1...");
        EXPECT_EQ(texts.back(), "Received 24 KB of 80 KB");
        EXPECT_FALSE(okEnabled);
        EXPECT_TRUE(cancelShown);
        EXPECT_TRUE(m_dialog->NMHTTP1.BeenCanceled);
        EXPECT_FALSE(m_dialog->fetching());
        EXPECT_FALSE(control<QPushButton>(m_dialog.get(), "BtnCancel")->isVisible());
        EXPECT_TRUE(control<QPushButton>(m_dialog.get(), "BtnParse")->isEnabled());
        EXPECT_TRUE(control<QPushButton>(m_dialog.get(), "Button1")->isEnabled());
        EXPECT_EQ(m_dialog->pageSource(), url);
        EXPECT_EQ(CurrentTeam, shown);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(QFileInfo::exists(
            QFileInfo(QString::fromStdString(m_dialog->NMHTTP1.FileName.str())).absolutePath()));
    }
}

// A page opened from outside while another is fetched (a drop, Open Recent,
// the command line) is refused: it would be shown and then replaced by the
// fetched page, and a second fetch would take the first one's Cancel away.
TEST_F(PageSourceDialogTest, APageOpenedDuringAFetchIsRefusedAndTheFetchGoesOn)
{
    std::string otherPage = GoodPage;
    otherPage.replace(otherPage.find("Orc Raiders"), 11, "Elf Rovers");
    writeFile(inStart("other.htm"), otherPage);
    ScriptedServer other(httpReply(otherPage));
    const QString opened[] = {inStart("other.htm"), QString::fromStdString(other.url("/other.htm"))};
    for (const QString& page : opened) {
        SCOPED_TRACE(page.toStdString());
        ScriptedServer server(httpReply(GoodPage));
        const QString url = QString::fromStdString(server.url("/team.htm"));
        m_dialog->show();
        m_dialog->setPageSource(url);
        std::string refused;
        bool cancelStays = false;
        bool tried = false;
        setEventPump([&] {
            if (std::exchange(tried, true))
                return;
            try {
                m_dialog->readPage(page);
            } catch (const TeamEditorError& error) {
                refused = error.what();
            }
            cancelStays =
                m_dialog->fetching() && control<QPushButton>(m_dialog.get(), "BtnCancel")->isVisible();
        });
        m_dialog->BtnParseClick();
        setEventPump({});
        EXPECT_EQ(refused, "A page is still being fetched: wait for it, or cancel it, first");
        EXPECT_TRUE(cancelStays);
        EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
        EXPECT_EQ(m_dialog->pageSource().toStdString(), url.toStdString());
    }
    EXPECT_FALSE(other.requestReceived());
}

TEST_F(PageSourceDialogTest, StartParseReadsAUrlWithoutTheDialog)
{
    ScriptedServer server(httpReply(GoodPage));
    m_dialog->StartParse(QString::fromStdString(server.url("/team.htm")));

    EXPECT_EQ(CurrentTeam.TeamName, "Orc Raiders");
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->cell(1, 1), "Elves");
    EXPECT_TRUE(control<StringGrid>(m_view.get(), "TeamGrid")->isHidden());
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 0);
    EXPECT_FALSE(QFile::exists(historyPath()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PageSourceDialogTest, EnterPressesOkFromThePathBoxAndFromAFocusedButton)
{
    m_dialog->bringUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    EXPECT_TRUE(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->hasFocus());

    // Space presses the focused Browse; Return presses OK even there.
    control<QPushButton>(m_dialog.get(), "Button1")->setFocus();
    QTest::keyClick(control<QPushButton>(m_dialog.get(), "Button1"), Qt::Key_Space);
    EXPECT_EQ(m_choosers->presets.size(), 1);
    EXPECT_TRUE(m_dialog->isVisible());
    m_dialog->setPageSource("<none>");
    QTest::keyClick(control<QPushButton>(m_dialog.get(), "Button1"), Qt::Key_Return);
    EXPECT_EQ(m_choosers->presets.size(), 1);
    EXPECT_FALSE(m_dialog->isVisible());

    m_dialog->bringUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));

    m_dialog->setPageSource("<none>");
    control<QComboBox>(m_dialog.get(), "Cmb_HTML")->setFocus();
    QTest::keyClick(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->count(), 0);
}

} // namespace
