#include "ViewTestSupport.h"

#include "PageFixtures.h"

#include "EventPump.h"
#include "RosterSheet.h"
#include "ScriptedServer.h"
#include "StringGrid.h"
#include "TeamEditorApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

using SaveAnswer = Choosers::SaveAnswer;

std::string readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class DocumentGuardTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_reports.clear();
        TeamEditorApplication::setErrorReportHook([this](const QString& text) { m_reports << text; });
        m_shown = samplePage(QStringLiteral("shown.htm"));
        m_other = samplePage(QStringLiteral("other.htm"));
    }

    void TearDown() override
    {
        TeamEditorApplication::setErrorReportHook({});
        ViewTest::TearDown();
    }

    QString samplePage(const QString& name)
    {
        const QString path = m_folder.filePath(name);
        // Each case starts from the sample: an earlier one may have saved over
        // the file or put a folder in its place.
        QDir(path).removeRecursively();
        QFile::remove(path);
        QFile::copy(samplePagePath(), path);
        return path;
    }

    // Runs a command through the event loop, as a menu does, so that its
    // failures reach the error report.
    void run(const std::function<void()>& command)
    {
        QMetaObject::invokeMethod(m_view.get(), command, Qt::QueuedConnection);
        QCoreApplication::processEvents();
    }

    void dropFile(const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPointF centre = m_view->rect().center();
        QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.get(), &enter);
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.get(), &drop);
        QCoreApplication::processEvents();
    }

    const QString& race() const { return m_view->sheet().cell(SheetGrid::Details, 1, 1); }

    QStringList m_reports;
    QString m_shown;
    QString m_other;
};

enum class Action
{
    New,
    Open,
    Import,
    Drop,
    Exit,
    Close,
    Quit
};

const char* nameOf(Action action)
{
    switch (action) {
    case Action::New:
        return "New";
    case Action::Open:
        return "Open";
    case Action::Import:
        return "Import";
    case Action::Drop:
        return "Drop";
    case Action::Exit:
        return "Exit";
    case Action::Close:
        return "Close";
    case Action::Quit:
        return "Quit";
    }
    return "?";
}

enum class Answer
{
    NotAsked, // the roster is unchanged
    Save,
    Discard,
    Cancel,
    FailingSave,
    // Save answered, but the save not done: the read-back warning declined,
    // or Save As (for a roster from no file) cancelled.
    DeclinedReadBack,
    CancelledSaveAs
};

TEST_F(DocumentGuardTest, EveryActionThatDropsTheRosterAsksFirst)
{
    const Answer answers[] = {Answer::NotAsked,       Answer::Save,        Answer::Discard,
                              Answer::Cancel,         Answer::FailingSave, Answer::DeclinedReadBack,
                              Answer::CancelledSaveAs};
    for (const Action action : {Action::New, Action::Open, Action::Import, Action::Drop, Action::Exit,
                                Action::Close, Action::Quit}) {
        for (const Answer answer : answers) {
            // Import answers its file chooser, which Save As would take too.
            if (answer == Answer::CancelledSaveAs && action == Action::Import)
                continue;
            SCOPED_TRACE(std::string(nameOf(action)) + ", answer " + std::to_string(int(answer)));
            TearDown();
            SetUp();
            m_view->openPage(m_shown);
            ASSERT_EQ(m_view->windowTitle(), "shown.htm[*] - Team Editor");
            // A new team has no file yet: its Save is a Save As.
            const bool newTeam = answer == Answer::CancelledSaveAs;
            if (newTeam)
                m_view->New1Click();
            const QString shownName = newTeam ? "New team" : "shown.htm";
            const bool modified = answer != Answer::NotAsked;
            if (modified)
                m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Goblins"));
            EXPECT_EQ(m_view->isWindowModified(), modified);
            if (answer == Answer::DeclinedReadBack) {
                // A note longer than a page line keeps would come back cut.
                m_view->sheet().setCell(SheetGrid::Matches, 7, 1, QString(5000, 'n'));
            }
            if (answer == Answer::FailingSave) {
                // Only regular files are replaced: a folder in its place cannot be saved over.
                QFile::remove(m_shown);
                QDir().mkdir(m_shown);
            }
            m_choosers->saveAnswer = answer == Answer::Discard  ? SaveAnswer::Discard
                                     : answer == Answer::Cancel ? SaveAnswer::Cancel
                                                                : SaveAnswer::Save;
            const std::string otherBefore = readFile(m_other);

            switch (action) {
            case Action::New:
                run([this] { m_view->New1Click(); });
                break;
            case Action::Open:
                run([this] { m_view->openPage(m_other); });
                break;
            case Action::Import:
                m_choosers->fileAnswer = m_other;
                run([this] { m_view->importPage(); });
                break;
            case Action::Drop:
                dropFile(m_other);
                break;
            case Action::Exit:
                run([this] { m_view->exit1Click(); });
                break;
            case Action::Close:
                run([this] { m_view->close(); });
                break;
            case Action::Quit: {
                // Quitting closes the windows first; whether they closed tells
                // the answer. The second timer ends the loop either way.
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(7); });
                QCoreApplication::exec();
                break;
            }
            }

            const bool proceeds =
                answer == Answer::NotAsked || answer == Answer::Discard || answer == Answer::Save;
            EXPECT_EQ(m_choosers->saveQuestions,
                      modified ? std::vector<QString>{shownName} : std::vector<QString>{});
            EXPECT_EQ(m_reports.size(), answer == Answer::FailingSave ? 1 : 0)
                << m_reports.join('|').toStdString();
            if (answer == Answer::Save) {
                EXPECT_NE(readFile(m_shown).find("Goblins"), std::string::npos);
            }
            if (answer == Answer::DeclinedReadBack || answer == Answer::CancelledSaveAs) {
                EXPECT_EQ(readFile(m_shown), readFile(samplePagePath()));
            }
            // Saving never writes over the page that was about to be opened.
            EXPECT_EQ(readFile(m_other), otherBefore);

            if (!proceeds) {
                EXPECT_TRUE(m_view->isVisible());
                EXPECT_EQ(m_view->windowTitle(), shownName + "[*] - Team Editor");
                EXPECT_TRUE(m_view->isWindowModified());
                EXPECT_EQ(race(), "Goblins");
                // Save still writes where the shown roster came from.
                if (!newTeam) {
                    EXPECT_EQ(m_dialog->pageSource(), m_shown);
                }
                continue;
            }
            switch (action) {
            case Action::New:
                EXPECT_EQ(m_view->windowTitle(), "New team[*] - Team Editor");
                EXPECT_EQ(race(), "");
                break;
            case Action::Open:
            case Action::Import:
            case Action::Drop:
                EXPECT_EQ(m_view->windowTitle(), "other.htm[*] - Team Editor");
                EXPECT_EQ(race(), "Dwarf");
                break;
            default:
                EXPECT_FALSE(m_view->isVisible());
                break;
            }
            if (action == Action::New || action == Action::Open || action == Action::Import ||
                action == Action::Drop) {
                EXPECT_FALSE(m_view->isWindowModified());
            }
        }
    }
}

// A roster with no file of its own is saved through the chooser on the way to
// another page: the page read next is still known by its own name, so that
// its Save never writes over the file the old roster just went to, nor over a
// namesake in the folder the chooser moved to.
TEST_F(DocumentGuardTest, ARosterSavedOnTheWayToAnotherPageKeepsThatFile)
{
    struct Case
    {
        Action action;
        bool relativeName; // the page is named relative to the working folder
        const char* savedAs;
    };
    for (const Case& test : {Case{Action::Open, false, "saved.htm"}, Case{Action::Drop, false, "saved.htm"},
                             Case{Action::Open, true, "kept/other.htm"}}) {
        SCOPED_TRACE(std::string(nameOf(test.action)) + " " + test.savedAs);
        TearDown();
        SetUp();
        QDir(m_folder.path()).mkdir(QStringLiteral("kept"));
        const QString saved = m_folder.filePath(QString::fromLatin1(test.savedAs));
        const QString page = test.relativeName ? QStringLiteral("other.htm") : m_other;
        m_view->New1Click();
        m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Goblins"));
        m_choosers->saveAnswer = SaveAnswer::Save;
        m_choosers->fileAnswer = saved;
        if (test.relativeName) {
            // Typed into the dialog: a name from outside is taken whole at once.
            run([this, page] {
                m_dialog->setPageSource(page);
                m_dialog->BtnParseClick();
            });
        } else if (test.action == Action::Open) {
            run([this, page] { m_view->openPage(page); });
        } else {
            dropFile(m_other);
        }

        EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join('|').toStdString();
        EXPECT_EQ(m_view->windowTitle(), "other.htm[*] - Team Editor");
        EXPECT_EQ(QFileInfo(m_dialog->pageSource()).absoluteFilePath(), m_other);
        m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Trolls"));
        m_choosers->fileAnswer.reset();
        run([this] { m_view->save(); });
        EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join('|').toStdString();
        EXPECT_NE(readFile(saved).find("Goblins"), std::string::npos);
        EXPECT_NE(readFile(m_other).find("Trolls"), std::string::npos);
    }

    // Saved while a page is fetched: the fetched page has no file of its own.
    TearDown();
    SetUp();
    const QString saved = m_folder.filePath(QStringLiteral("saved.htm"));
    m_view->New1Click();
    m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Goblins"));
    m_choosers->fileAnswer = saved;
    ScriptedServer server("HTTP/1.0 200 OK\r\n\r\n" + readFile(samplePagePath()));
    bool savedDuringFetch = false;
    setEventPump([this, &savedDuringFetch] {
        if (!savedDuringFetch)
            savedDuringFetch = m_view->saveAs();
    });
    m_dialog->readPage(QString::fromStdString(server.url("/team.htm")));
    setEventPump({});
    EXPECT_TRUE(savedDuringFetch);
    EXPECT_EQ(m_view->windowTitle(), "team.htm[*] - Team Editor");
    m_choosers->fileAnswer.reset();
    m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Trolls"));
    EXPECT_FALSE(m_view->save()); // it asks for a file, and the chooser cancels
    EXPECT_NE(readFile(saved).find("Goblins"), std::string::npos);
}

// Opening the shown roster's own page again, its changes saved first on the
// way (to its own file, or by Save As over it): what is shown is the page as
// it was just saved, not as it was before.
TEST_F(DocumentGuardTest, ReopeningThePageSavedOnTheWayShowsItAsSaved)
{
    for (const bool throughChooser : {false, true}) {
        SCOPED_TRACE(throughChooser);
        TearDown();
        SetUp();
        if (throughChooser) {
            m_view->New1Click();
            m_choosers->fileAnswer = m_shown;
        } else {
            m_view->openPage(m_shown);
        }
        m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Goblins"));
        m_choosers->saveAnswer = SaveAnswer::Save;
        run([this] { m_view->openPage(m_shown); });

        EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join('|').toStdString();
        EXPECT_NE(readFile(m_shown).find("Goblins"), std::string::npos);
        EXPECT_EQ(race(), "Goblins");
        EXPECT_EQ(m_view->windowTitle(), "shown.htm[*] - Team Editor");
        EXPECT_FALSE(m_view->isWindowModified());
    }
}

TEST_F(DocumentGuardTest, ClosingDuringAFetchEndsItQuietlyAndAsksFirst)
{
    for (const SaveAnswer answer : {SaveAnswer::Discard, SaveAnswer::Cancel}) {
        SCOPED_TRACE(int(answer));
        TearDown();
        SetUp();
        m_view->New1Click();
        m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Goblins"));
        m_choosers->saveAnswer = answer;
        // The server takes the request and stays silent: the fetch waits,
        // pumping events, and the window is closed from there as a user would.
        ScriptedServer server("", {}, true);
        bool closing = false;
        setEventPump([this, &server, &closing] {
            if (server.requestReceived() && !closing) {
                closing = true;
                m_view->close();
            }
        });
        m_dialog->readPage(QString::fromStdString(server.url("/team.htm")));
        setEventPump({});

        EXPECT_TRUE(closing);
        EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join('|').toStdString();
        EXPECT_EQ(m_choosers->saveQuestions, std::vector<QString>{"New team"});
        EXPECT_EQ(m_view->isVisible(), answer == SaveAnswer::Cancel);
        EXPECT_EQ(race(), "Goblins");
        EXPECT_EQ(m_view->windowTitle(), "New team[*] - Team Editor");
    }
}

} // namespace
