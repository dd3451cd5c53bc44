#include "TemporaryFiles.h"
#include "AtomicFile.h"
#include "Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class TemporaryFilesTest : public ::testing::Test
{
protected:
    TemporaryFilesTest()
    {
        std::string pattern = (fs::temp_directory_path() / "te-temporary-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
    }
    ~TemporaryFilesTest() override { fs::remove_all(m_folder); }

    std::string file(const std::string& name) const { return (m_folder / name).string(); }

    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_folder))
            found.push_back(entry.path().filename().string());
        return found;
    }

    fs::path m_folder;
};

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Any name a file can have can be a target: the temporary name keeps within
// the folder's limit, keeps its random part, and starts with as much of the
// target's name as fits, never part of a character.
TEST_F(TemporaryFilesTest, TemporaryNamesFitTheNameLimit)
{
    const std::size_t nameMax = static_cast<std::size_t>(pathconf(m_folder.c_str(), _PC_NAME_MAX));
    const std::string euro = "\xE2\x82\xAC";
    std::vector<std::string> targets;
    for (const std::size_t length : {1u, 100u, 236u, 237u, 238u, 244u, 254u, 255u})
        targets.push_back(std::string(length, 'n'));
    for (std::size_t length = 230; length + euro.size() <= nameMax; ++length)
        targets.push_back(std::string(length - euro.size(), 'e') + euro);
    for (const std::string& target : targets) {
        SCOPED_TRACE(target.size());
        const std::string made = temporarySibling(file(target));
        const std::string name = fs::path(made).filename().string();
        ASSERT_EQ(made, file(name));
        EXPECT_LE(name.size(), nameMax);
        ASSERT_GE(name.size(), 18u);
        const std::string visible = name.substr(1, name.size() - 18);
        EXPECT_EQ(name.front(), '.');
        EXPECT_EQ(target.substr(0, visible.size()), visible);
        const std::size_t room = nameMax - 18;
        if (target.size() <= room) {
            EXPECT_EQ(visible, target);
        } else {
            // Cut where a character starts, at most three bytes short of the room.
            EXPECT_GE(visible.size() + 3, room);
            EXPECT_NE(static_cast<unsigned char>(target[visible.size()]) & 0xC0, 0x80);
        }
        EXPECT_EQ(name.substr(name.size() - 17, 1), ".");
        EXPECT_EQ(name.find_first_not_of("0123456789abcdef", name.size() - 16), std::string::npos);

        // And the file is written under the target's own name.
        AtomicFile written(file(target));
        written.append("whole");
        written.commit();
        EXPECT_EQ(contents(file(target)), "whole");
        fs::remove(file(target));
    }
    EXPECT_TRUE(names().empty());
}

// SIGINT and SIGTERM while files are written: the temporary files go, the
// target stays as it was, and the process ends as killed by the signal.
TEST_F(TemporaryFilesTest, ASignalRemovesTheFilesBeingWritten)
{
    std::ofstream(file("kept.htm")) << "old";
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signalNumber);
        const pid_t child = fork();
        if (child == 0) {
            TemporaryFiles::removeOnSignals();
            AtomicFile page(file("kept.htm"));
            page.append("partial");
            AtomicFile other(file("new.csv"));
            other.append("partial");
            // One that was put in place already is no temporary file any more.
            AtomicFile done(file("done.txt"));
            done.append("done");
            done.commit();
            raise(signalNumber);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signalNumber);
        std::vector<std::string> left = names();
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"done.txt", "kept.htm"}));
        EXPECT_EQ(contents(file("kept.htm")), "old");
    }
}

TEST_F(TemporaryFilesTest, AFileThatCannotBeWrittenNamesItsReason)
{
    const pid_t child = fork();
    if (child == 0) {
        // A file-size limit stands in for a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        setrlimit(RLIMIT_FSIZE, &limit);
        // The file goes with the object, before the child ends.
        const auto attempt = [&] {
            AtomicFile page(file("page.htm"));
            try {
                page.append("more than four bytes");
            } catch (const EFileError& error) {
                return std::string(error.what()) ==
                               "Unable to write to " + file("page.htm") + ": File too large"
                           ? 0
                           : 1;
            }
            return 2;
        };
        _exit(attempt());
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(names().empty());
}

} // namespace
