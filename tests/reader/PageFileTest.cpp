#include "PageFile.h"
#include "Errors.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

using Lines = std::vector<std::string>;

TEST(PageFile, SplitsAtEveryKindOfLineEnd)
{
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"one\r\ntwo", {"one", "two"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\n\n", {"", "", ""}},
        {std::string("n\0l\x01\n", 5), {std::string("n\0l\x01", 4)}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(splitPageBytes(bytes).lines, lines) << bytes;
}

TEST(PageFile, CutsLongLinesAt4096Bytes)
{
    const std::string longLine = std::string(4095, 'a') + "bc";
    EXPECT_EQ(splitPageBytes(longLine + "\r\nnext").lines, (Lines{longLine.substr(0, 4096), "next"}));
}

TEST(PageFile, JudgesTheEncodingOnTheWholeFile)
{
    EXPECT_EQ(splitPageBytes("plain").encoding, TextEncoding::Utf8);
    EXPECT_EQ(splitPageBytes("caf\xC3\xA9").encoding, TextEncoding::Utf8);
    EXPECT_EQ(splitPageBytes("caf\xE9").encoding, TextEncoding::Latin1);
    // A multi-byte character cut by the line limit keeps the file UTF-8.
    const PageLines cut = splitPageBytes(std::string(4095, 'a') + "\xC3\xA9");
    EXPECT_EQ(cut.encoding, TextEncoding::Utf8);
    EXPECT_EQ(cut.lines.front().back(), '\xC3');
}

TEST(PageFile, LoadsAFileAndReportsOneThatCannotBeOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    const std::string path = folder + "/page.htm";
    std::ofstream(path, std::ios::binary) << "<TITLE>T</TITLE>\r\nx";
    EXPECT_EQ(loadPageFile(path).lines, (Lines{"<TITLE>T</TITLE>", "x"}));

    for (const std::string& bad : {folder + "/missing.htm", folder, std::string()}) {
        try {
            loadPageFile(bad);
            ADD_FAILURE() << bad;
        } catch (const EFileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + bad);
        }
    }
}
