#include "IniFile.h"

#include "ChildProcess.h"
#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

using KeyEnd = IniFile::KeyEnd;

class IniFileTest : public ::testing::Test
{
protected:
    static void openToEveryone(const QString& name, mode_t mode)
    {
        ::chmod(QFile::encodeName(name).constData(), mode);
    }

    // Writes an entry as a plain user in a child process (root may write
    // anywhere); 0 when the write failed as it should, with EFileError.
    int writeAsPlainUser() const
    {
        return inChildProcess([&] {
            if (!dropRootInChild())
                return 2;
            try {
                IniFile(path()).writeString("A", "y", "2");
            } catch (const EFileError&) {
                return 0;
            }
            return 1;
        });
    }

    QString path() const { return m_dir.filePath("test.ini"); }

    void setContent(const std::string& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    std::string content() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
    }

    QTemporaryDir m_dir;
    std::function<void()> m_cleanUp; // ends what a case started
};

struct WriteCase
{
    const char* name;
    std::string before; // "<missing>" for no file
    const char* section;
    const char* key;
    const char* value;
    KeyEnd keyEnd;
    std::string after;
};

TEST_F(IniFileTest, WriteStringPlacesTheEntryAndKeepsOtherLines)
{
    const WriteCase cases[] = {
        {"new file", "<missing>", "Team HTML", "http://a/", "", KeyEnd::FirstEquals,
         "[Team HTML]\r\nhttp://a/=\r\n"},
        {"new key goes after the section's last entry", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "a", "z", "3",
         KeyEnd::FirstEquals, "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        {"existing key rewritten in place, any case", "[Current]\r\n; note\r\nTEAM HTML = 7\r\nother=1\r\n",
         "current", "Team HTML", "2", KeyEnd::FirstEquals,
         "[Current]\r\n; note\r\nTeam HTML=2\r\nother=1\r\n"},
        {"missing section appended at the end", "[A]\r\nx=1", "B", "k", "v", KeyEnd::FirstEquals,
         "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        {"LF file stays LF", "[A]\nx=1\n", "A", "y", "2", KeyEnd::FirstEquals, "[A]\nx=1\ny=2\n"},
        {"empty section header gets the key", "[A]\r\n[B]\r\nb=1\r\n", "A", "k", "", KeyEnd::FirstEquals,
         "[A]\r\nk=\r\n[B]\r\nb=1\r\n"},
        {"first section of a repeated name", "[A]\r\nx=1\r\n[a]\r\nx=2\r\n", "A", "x", "9",
         KeyEnd::FirstEquals, "[A]\r\nx=9\r\n[a]\r\nx=2\r\n"},
        // A key that is a prefix of a stored URL up to its first "=" must not
        // overwrite that URL's line.
        {"key with equals signs", "[Team HTML]\r\nhttp://a/?t=1&u=2=\r\n", "Team HTML", "http://a/?t", "",
         KeyEnd::LastEquals, "[Team HTML]\r\nhttp://a/?t=1&u=2=\r\nhttp://a/?t=\r\n"},
        {"same key with equals signs found again", "[Team HTML]\r\nhttp://A/?t=1=\r\n", "Team HTML",
         "http://a/?t=1", "", KeyEnd::LastEquals, "[Team HTML]\r\nhttp://a/?t=1=\r\n"},
        {"section after a byte order mark found", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "a", "y", "2",
         KeyEnd::FirstEquals, "\xEF\xBB\xBF[A]\r\nx=1\r\ny=2\r\n"},
        // Blanks around a key are not read back, so they do not make it another key.
        {"key with blanks around it found again", "[Team HTML]\r\nhttp://a/=\r\n", "Team HTML", " http://a/ ",
         "", KeyEnd::LastEquals, "[Team HTML]\r\n http://a/ =\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        if (c.before != "<missing>")
            setContent(c.before);
        IniFile(path()).writeString(c.section, c.key, c.value, c.keyEnd);
        EXPECT_EQ(content(), c.after);
    }
}

struct KeyNamesCase
{
    const char* name;
    std::string text;
    const char* section;
    KeyEnd keyEnd;
    std::vector<std::string> keys;
};

TEST_F(IniFileTest, ReadKeyNames)
{
    const std::string history =
        "[Other]\r\nq=1\r\n[team html]\r\n\r\nhttp://a/=\r\n  http://b/?x=1&y=2=  \r\n"
        "bare line\r\n=no key\r\n[Current]\r\nTeam HTML=0\r\n";
    const KeyNamesCase cases[] = {
        {"missing section", history, "Nothing", KeyEnd::FirstEquals, {}},
        {"key ends at the first equals sign",
         history,
         "Team HTML",
         KeyEnd::FirstEquals,
         {"http://a/", "http://b/?x", "bare line"}},
        {"key ends at the last equals sign",
         history,
         "TEAM HTML",
         KeyEnd::LastEquals,
         {"http://a/", "http://b/?x=1&y=2", "bare line"}},
        {"LF line ends", "[A]\nx=1\ny=2", "A", KeyEnd::FirstEquals, {"x", "y"}},
        // As text editors save UTF-8.
        {"byte order mark before the first section",
         "\xEF\xBB\xBF[A]\r\nx=1\r\n",
         "A",
         KeyEnd::FirstEquals,
         {"x"}},
    };
    for (const KeyNamesCase& c : cases) {
        SCOPED_TRACE(c.name);
        setContent(c.text);
        EXPECT_EQ(IniFile(path()).readKeyNames(c.section, c.keyEnd), c.keys);
    }
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndCreatesNothing)
{
    IniFile ini(path());
    EXPECT_TRUE(ini.readKeyNames("Team HTML").empty());
    EXPECT_EQ(ini.readInteger("Current", "Team HTML", 5), 5);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(IniFileTest, KeyNamesStopAtTheBufferSize)
{
    // Two names of 4094 characters take 2 x 4095 + 1 = 8191 characters, so a
    // third name of one character (two more) does not fit; with the second
    // name one shorter it fills the buffer exactly.
    const std::string a(4094, 'a');
    const std::string b(4094, 'b');
    setContent("[S]\r\n" + a + "=\r\n" + b + "=\r\nc=\r\nd=\r\n");
    EXPECT_EQ(IniFile(path()).readKeyNames("S"), (std::vector<std::string>{a, b}));

    setContent("[S]\r\n" + a + "=\r\n" + std::string(4093, 'b') + "=\r\nc=\r\nd=\r\n");
    EXPECT_EQ(IniFile(path()).readKeyNames("S"), (std::vector<std::string>{a, std::string(4093, 'b'), "c"}));

    // A long name that does not fit ends the list even if later ones would.
    setContent("[S]\r\nx=\r\n" + std::string(8190, 'y') + "=\r\nz=\r\n");
    EXPECT_EQ(IniFile(path()).readKeyNames("S"), (std::vector<std::string>{"x"}));
}

TEST_F(IniFileTest, ReadInteger)
{
    const std::pair<const char*, int> cases[] = {
        {"3", 3},
        {" -1 ", -1},
        {"+12", 12},
        {"0x1A", 26},
        {"0X1a", 26},
        {"0xFFFFFFFF", -1},
        {"0x100000000", 0},
        {"0x", 0},
        {"0xZ", 0},
        {"", 0},
        {"abc", 0},
        {"12abc", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"99999999999999999999999", 0},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        setContent(std::string("[Current]\r\nTeam HTML=") + text + "\r\n");
        EXPECT_EQ(IniFile(path()).readInteger("current", "team html", 77), expected);
    }
    setContent("[Current]\r\nOther=3\r\n");
    EXPECT_EQ(IniFile(path()).readInteger("Current", "Team HTML", 77), 77);
}

TEST_F(IniFileTest, WriteReplacesTheFileInsteadOfRewritingIt)
{
    // A hard link still names the old file after the write: the new content
    // went to a fresh file that was renamed into place.
    setContent("[A]\r\nx=1\r\n");
    const QString link = m_dir.filePath("link.ini");
    ASSERT_EQ(::link(QFile::encodeName(path()).constData(), QFile::encodeName(link).constData()), 0);
    IniFile(path()).writeString("A", "y", "2");
    EXPECT_EQ(content(), "[A]\r\nx=1\r\ny=2\r\n");
    QFile old(link);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll().toStdString(), "[A]\r\nx=1\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(IniFileTest, FailedWriteRaisesAndLeavesTheFile)
{
    const QString missingFolder = m_dir.filePath("nowhere/SkarnIRC.ini");
    try {
        IniFile(missingFolder).writeString("A", "k", "v");
        FAIL() << "no exception";
    } catch (const EFileError& error) {
        const std::string start = "Unable to write to " + missingFolder.toStdString() + ": ";
        EXPECT_EQ(std::string(error.what()).substr(0, start.size()), start);
        EXPECT_GT(std::string(error.what()).size(), start.size());
    }

    // Line breaks would let a key or value pass for lines of their own.
    setContent("[A]\r\nx=1\r\n");
    EXPECT_THROW(IniFile(path()).writeString("A", "http://a/\n[Current]\nTeam HTML=9", ""), EFileError);
    EXPECT_THROW(IniFile(path()).writeString("A", "x", "2\r\ny=3"), EFileError);
    EXPECT_EQ(content(), "[A]\r\nx=1\r\n");

    // A directory in the file's place cannot be replaced.
    QFile::remove(path());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("test.ini"));
    EXPECT_THROW(IniFile(path()).writeString("A", "k", "v"), EFileError);
}

TEST_F(IniFileTest, ReadOnlyFolderRaisesAndLeavesTheFileWhole)
{
    setContent("[A]\r\nx=1\r\n");
    openToEveryone(path(), 0644);
    openToEveryone(m_dir.path(), 0555);
    const int status = writeAsPlainUser();
    openToEveryone(m_dir.path(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(content(), "[A]\r\nx=1\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNotReplaced)
{
    setContent("[A]\r\nx=1\r\n");
    openToEveryone(m_dir.path(), 0777);
    openToEveryone(path(), 0222);
    const int status = writeAsPlainUser();
    openToEveryone(path(), 0644);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(content(), "[A]\r\nx=1\r\n");
}

// A full disk (a file-size limit stands in for it) fails the write, which
// must say so and leave the file as it was, not cut to the part that fitted.
TEST_F(IniFileTest, AFullDiskRaisesAndKeepsTheOldFile)
{
    const std::string before = "[Team HTML]\r\n" + std::string(200, 'u') + "=\r\n";
    setContent(before);
    const int status = inChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(before.size()), static_cast<rlim_t>(before.size())};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        try {
            IniFile(path()).writeString("Team HTML", "http://new/", "");
        } catch (const EFileError& error) {
            return std::string(error.what()) ==
                           "Unable to write to " + path().toStdString() + ": File too large"
                       ? 0
                       : 3;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(content(), before);
}

// A lock that nobody will free fails the write after a short wait, naming the
// lock, and leaves the file as it was.
TEST_F(IniFileTest, ALockThatCannotBeHadFailsTheWrite)
{
    const QString lock = path() + ".lock";
    const std::string message = "Unable to write to " + path().toStdString() + ": the lock " +
                                lock.toStdString() + " is held or cannot be taken";
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(lock)); }},
        {"a dangling link", [&] { ASSERT_TRUE(QFile::link(m_dir.filePath("gone"), lock)); }},
        {"held by a stopped editor",
         [&] {
             // The lock is taken by another process, which then stops for good.
             const pid_t holder = fork();
             if (holder == 0) {
                 QLockFile held(lock);
                 held.lock();
                 raise(SIGSTOP);
                 _exit(0);
             }
             int status = 0;
             waitpid(holder, &status, WUNTRACED);
             m_cleanUp = [holder] {
                 kill(holder, SIGKILL);
                 waitpid(holder, nullptr, 0);
             };
         }},
    };
    for (const auto& [name, block] : cases) {
        SCOPED_TRACE(name);
        setContent("[A]\r\nx=1\r\n");
        block();
        try {
            IniFile(path()).writeString("A", "y", "2");
            ADD_FAILURE() << "no error";
        } catch (const EFileError& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_EQ(content(), "[A]\r\nx=1\r\n");
        if (m_cleanUp)
            std::exchange(m_cleanUp, nullptr)();
        QDir().rmdir(lock);
        QFile::remove(lock);
    }
}

// Two editors adding URLs at the same time: every entry of both is kept.
TEST_F(IniFileTest, WritesOfTwoProcessesLoseNoEntry)
{
    constexpr int PerProcess = 150;
    const std::vector<int> statuses = inChildProcesses(2, [&](int process) {
        try {
            for (int i = 0; i < PerProcess; ++i)
                IniFile(path()).writeString(
                    "Team HTML", "http://p" + std::to_string(process) + "/" + std::to_string(i), "");
        } catch (const EFileError&) {
            return 1;
        }
        return 0;
    });
    EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
    const std::vector<std::string> keys = IniFile(path()).readKeyNames("Team HTML");
    EXPECT_EQ(keys.size(), 2u * PerProcess);
    EXPECT_FALSE(QFile::exists(path() + ".lock"));
}

TEST_F(IniFileTest, AFileOverTheLimitIsNeitherReadNorWritten)
{
    const std::string huge = "[Team HTML]\r\nhttp://a/=\r\n" + std::string(IniFile::SizeLimit, '\n');
    setContent(huge);
    const std::string message = "History file too large: " + path().toStdString();
    const auto expectRefused = [&](const std::function<void()>& call) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const ELimitError& error) {
            EXPECT_EQ(error.what(), message);
        }
    };
    expectRefused([&] { IniFile(path()).readKeyNames("Team HTML"); });
    expectRefused([&] { IniFile(path()).readInteger("Current", "Team HTML", 0); });
    expectRefused([&] { IniFile(path()).writeString("Team HTML", "http://b/", ""); });
    EXPECT_EQ(content(), huge);

    // At the limit it is still read, and no write takes it over the limit,
    // which would leave a file that is never read again.
    const std::string atLimit =
        "[Team HTML]\r\nhttp://a/=\r\n" +
        std::string(IniFile::SizeLimit - std::string("[Team HTML]\r\nhttp://a/=\r\n").size(), '\n');
    setContent(atLimit);
    EXPECT_EQ(IniFile(path()).readKeyNames("Team HTML"), std::vector<std::string>{"http://a/"});
    const std::string tooLarge =
        "Unable to write to " + path().toStdString() + ": the file would pass its size limit";
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { IniFile(path()).writeString("Team HTML", "http://b/", ""); },
             [&] {
                 IniFile(path()).replaceSection("Recent Pages", {{"Page1", "a.htm"}});
             }}) {
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const EFileError& error) {
            EXPECT_EQ(error.what(), tooLarge);
        }
        EXPECT_EQ(content(), atLimit);
    }
}

// A FIFO would block the read until a writer came: it reads as no file, and
// is not replaced by a write.
TEST_F(IniFileTest, AFileThatIsNotRegularReadsEmptyAndIsNotReplaced)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    EXPECT_TRUE(IniFile(path()).readKeyNames("Team HTML").empty());
    EXPECT_EQ(IniFile(path()).readInteger("Current", "Team HTML", 7), 7);
    EXPECT_THROW(IniFile(path()).writeString("Team HTML", "http://a/", ""), EFileError);
    EXPECT_FALSE(QFileInfo(path()).isFile());
}

} // namespace
