#include "PageStore.h"

#include "ChildProcess.h"
#include "Errors.h"
#include "PageFixtures.h"
#include "RosterPage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

std::string readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll().toStdString();
}

void writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string storeError(const std::vector<std::string>& lines, const QString& fileName)
{
    try {
        storePage(lines, fileName);
    } catch (const EFileError& error) {
        return error.what();
    }
    return "stored";
}

// Exit status of a child that expects storePage to fail with message.
int expectStoreError(const std::vector<std::string>& lines, const QString& fileName,
                     const std::string& message)
{
    return storeError(lines, fileName) == message ? 0 : 1;
}

class PageStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // Open to every user, so a child that gave up root can reach it.
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    const std::vector<std::string> m_page = buildRosterPage(newTeamSheet());
    const std::string m_oldRoster = "<HTML>an older roster</HTML>\r\n";
    QTemporaryDir m_dir;
};

TEST_F(PageStore, EveryLineEndsWithCrLfAndTheOldFileIsReplacedWhole)
{
    const QString target = path("team.htm");
    writeFile(target, std::string(20000, 'x'));

    storePage({"first", "", "last line"}, target);

    EXPECT_EQ(readFile(target), "first\r\n\r\nlast line\r\n");
    EXPECT_EQ(entries(m_dir.path()), QStringList{"team.htm"});
}

TEST_F(PageStore, NewFileFollowsTheUmaskAndAnOldFileKeepsItsMode)
{
    const mode_t oldMask = ::umask(022);
    storePage(m_page, path("new.htm"));
    ::umask(oldMask);
    writeFile(path("shared.htm"), m_oldRoster);
    ::chmod(QFile::encodeName(path("shared.htm")).constData(), 0664);
    storePage(m_page, path("shared.htm"));

    struct stat info
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path("new.htm")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    ASSERT_EQ(::stat(QFile::encodeName(path("shared.htm")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0664u);
}

TEST_F(PageStore, NamesThatCannotBeCreated)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    const QString missing = path("no such folder/team.htm");

    EXPECT_EQ(storeError(m_page, missing), "Cannot create file " + missing.toStdString());
    EXPECT_EQ(storeError(m_page, ""), "Cannot create file ");
    EXPECT_EQ(storeError(m_page, path("folder")), "Cannot create file " + path("folder").toStdString());
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
    EXPECT_EQ(entries(m_dir.path()), QStringList{"folder"});
}

TEST_F(PageStore, ReadOnlyFolderLeavesTheOldFileAsItWas)
{
    const QString folder = path("locked");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("locked"));
    const QString target = folder + "/team.htm";
    writeFile(target, m_oldRoster);
    ::chmod(QFile::encodeName(target).constData(), 0666);
    ::chmod(QFile::encodeName(folder).constData(), 0555);

    const int status = inChildProcess([&] {
        // Root may write into any folder; a plain user may not.
        if (!dropRootInChild())
            return 2;
        return expectStoreError(m_page, target, "Cannot create file " + target.toStdString());
    });
    ::chmod(QFile::encodeName(folder).constData(), 0755);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(target), m_oldRoster);
    EXPECT_EQ(entries(folder), QStringList{"team.htm"});
}

// A page its owner made read-only is not replaced by a save, though its folder
// allows the rename.
TEST_F(PageStore, ReadOnlyFileIsNotReplaced)
{
    const QString folder = path("shared");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("shared"));
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    const QString target = folder + "/kept.htm";

    const int status = inChildProcess([&] {
        if (!dropRootInChild())
            return 2;
        writeFile(target, m_oldRoster);
        ::chmod(QFile::encodeName(target).constData(), 0444);
        return expectStoreError(m_page, target, "Cannot create file " + target.toStdString());
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(target), m_oldRoster);
    EXPECT_EQ(entries(folder), QStringList{"kept.htm"});
}

TEST_F(PageStore, FullDiskLeavesTheOldFileAsItWas)
{
    const QString target = path("team.htm");
    writeFile(target, m_oldRoster);

    const int status = inChildProcess([&] {
        // A file-size limit stands in for a full disk: writes past it fail
        // with EFBIG once the signal is ignored.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        return expectStoreError(m_page, target,
                                "Unable to write to " + target.toStdString() + ": File too large");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(target), m_oldRoster);
    EXPECT_EQ(entries(m_dir.path()), QStringList{"team.htm"});
}

// Saving over a FIFO or a device node must not replace it with a file (as
// root that would replace a system device); a link to a regular file is
// written as that file.
TEST_F(PageStore, OnlyRegularFilesAreReplaced)
{
    const QString fifo = path("fifo.htm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString fifoLink = path("fifo-link.htm");
    ASSERT_TRUE(QFile::link(fifo, fifoLink));
    QStringList refused = {fifo, fifoLink};
    const QString device = path("null");
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        refused << device;

    for (const QString& target : refused) {
        EXPECT_EQ(storeError(m_page, target), "Not a regular file: " + target.toStdString());
        struct stat info
        {
        };
        ASSERT_EQ(::lstat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << target.toStdString() << " was replaced";
    }

    const QString page = path("page.htm");
    writeFile(page, m_oldRoster);
    const QString pageLink = path("page-link.htm");
    ASSERT_TRUE(QFile::link(page, pageLink));
    storePage({"new"}, pageLink);
    EXPECT_EQ(readFile(page), "new\r\n");
    EXPECT_TRUE(QFileInfo(pageLink).isSymLink());
}

} // namespace
