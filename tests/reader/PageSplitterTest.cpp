#include "Errors.h"
#include "PageFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

PageLines splitInPieces(std::string_view bytes, const std::vector<std::size_t>& cuts)
{
    PageSplitter splitter;
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        splitter.add(bytes.substr(from, cut - from));
        from = cut;
    }
    splitter.add(bytes.substr(from));
    return splitter.finish();
}

void expectSameAsWhole(const std::string& bytes, const std::vector<std::size_t>& cuts)
{
    const PageLines whole = splitPageBytes(bytes);
    const PageLines pieces = splitInPieces(bytes, cuts);
    EXPECT_EQ(pieces.lines, whole.lines) << testing::PrintToString(bytes);
    EXPECT_EQ(pieces.encoding, whole.encoding) << testing::PrintToString(bytes);
    EXPECT_EQ(whole.encoding, detectEncoding(bytes)) << testing::PrintToString(bytes);
}

} // namespace

// Line ends, characters and cut lines that run from one piece into the next.
TEST(PageSplitter, EveryCutGivesTheLinesAndEncodingOfTheWhole)
{
    const std::string cases[] = {
        "a\r\nb",
        "a\r\rb\n\n",
        "\r",
        "caf\xC3\xA9\r\n\xE2\x82\xAC x \xF0\x9F\x8F\x88",
        "cut \xE2\x82\n",
        "\xC3\xA9\x80 one continuation too many",
        "\x80 begins with a continuation",
        "ends in a lead \xC3",
        std::string(4094, 'a') + "\xC3\xA9z\r\nnext",
        std::string(4100, 'b') + "\r",
    };
    for (const std::string& bytes : cases) {
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut)
            expectSameAsWhole(bytes, {cut});
    }
}

TEST(PageSplitter, RandomPiecesGiveTheLinesAndEncodingOfTheWhole)
{
    const std::string_view alphabet[] = {"\r",   "\n",   "a",        "Z",           "\xC3", "\xA9",
                                         "\xE2", "\x82", "\xAC",     "\xF0",        "\x9F", "\x80",
                                         "\xED", "\xA0", "\xC3\xA9", "\xE2\x82\xAC"};
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            bytes += alphabet[random() % std::size(alphabet)];
        if (round % 50 == 0)
            bytes.insert(bytes.size() / 2, 4200, 'x');
        std::vector<std::size_t> cuts;
        for (std::size_t at = 0; at < bytes.size(); at += 1 + random() % 5)
            cuts.push_back(at);
        expectSameAsWhole(bytes, cuts);
    }
}

// Larger than the buffer the file is read through, with a CR LF and a
// character on the buffer's edges.
TEST(PageSplitter, LoadsAFileLargerThanOneRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.path().toStdString() + "/large.htm";
    std::string bytes;
    for (int i = 0; bytes.size() < 3'500'000; ++i)
        bytes += "<TR><TD>" + std::to_string(i) + "</TD></TR>" + (i % 3 ? "\r\n" : "\n");
    bytes.insert(std::size_t{1} << 20, "\xC3\xA9");
    bytes.replace((std::size_t{2} << 20) - 1, 2, "\r\n");
    bytes += std::string(9000, 'y');
    std::ofstream(path, std::ios::binary) << bytes;

    const PageLines loaded = loadPageFile(path);
    const PageLines whole = splitPageBytes(bytes);
    EXPECT_EQ(loaded.lines, whole.lines);
    EXPECT_EQ(loaded.encoding, TextEncoding::Utf8);
    EXPECT_EQ(loaded.lines.back(), std::string(4096, 'y'));
}

// A file that opens but fails to read must not be read as an empty page.
TEST(PageSplitter, AReadErrorIsReportedNotTakenForTheEndOfTheFile)
{
    const std::string unreadable = "/proc/self/mem"; // reading at offset 0 fails
    if (!std::filesystem::exists(unreadable))
        GTEST_SKIP() << "no " << unreadable;
    try {
        loadPageFile(unreadable);
        ADD_FAILURE() << "read as a page";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + unreadable);
    }
}
