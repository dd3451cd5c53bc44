#include "TextEncoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, DetectsUtf8OnlyWhenTheWholeFileIsValid)
{
    EXPECT_EQ(detectEncoding(""), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("plain ascii"), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("Gr\xC3\xBCn \xE2\x82\xAC \xF0\x9F\x8F\x88"), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("\xEF\xBF\xBD is itself valid"), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("Gr\xFCn"), TextEncoding::Latin1);
    EXPECT_EQ(detectEncoding("cut \xE2\x82"), TextEncoding::Latin1);
    EXPECT_EQ(detectEncoding("overlong \xC0\xAF"), TextEncoding::Latin1);
    EXPECT_EQ(detectEncoding("surrogate \xED\xA0\x80"), TextEncoding::Latin1);
    EXPECT_EQ(detectEncoding("beyond \xF4\x90\x80\x80"), TextEncoding::Latin1);
}

TEST(TextEncoding, BrokenSequencesBecomeOneReplacementPerMaximalSubpart)
{
    struct Case
    {
        const char* bytes;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"a\xE2\x82", u"a\uFFFD"}, // a cut three-byte sequence
        {"\xE2\x82"
         "b",
         u"\uFFFD"
         "b"},
        {"\x80\x80", u"\uFFFD\uFFFD"},           // lone continuation bytes
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong lead is never valid
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // surrogate: the second byte already fails
        {"\xF0\x9F\x8F", u"\uFFFD"},
        {"\xF0\x9F\x8F\x88", u"\U0001F3C8"},
        {"x\xC3\xA9y", u"x\u00E9y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeText(c.bytes, TextEncoding::Utf8), QString::fromUtf16(c.expected)) << c.bytes;
}

TEST(TextEncoding, Latin1RoundTripsEveryByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = decodeText(all, TextEncoding::Latin1);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(encodeText(text, TextEncoding::Latin1), all);
}

TEST(TextEncoding, Utf8RoundTrips)
{
    const std::string bytes = "Gr\xC3\xBCn \xE2\x82\xAC";
    EXPECT_EQ(encodeText(decodeText(bytes, TextEncoding::Utf8), TextEncoding::Utf8), bytes);
}

// Plain text is judged eight bytes at a time: a broken or valid character at
// any offset, and in the last bytes that do not fill eight, is still judged.
TEST(TextEncoding, JudgesEveryOffsetOfLongPlainText)
{
    for (std::size_t length = 0; length < 40; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            std::string text(length, 'a');
            EXPECT_EQ(detectEncoding(std::string(text).insert(at, "\xE9")), TextEncoding::Latin1)
                << length << at;
            EXPECT_EQ(detectEncoding(std::string(text).insert(at, "\xC3\xA9")), TextEncoding::Utf8)
                << length << at;
            EXPECT_EQ(detectEncoding(std::string(text).insert(at, "\xE2\x82")), TextEncoding::Latin1)
                << length << at;
            EXPECT_EQ(detectEncoding(text), TextEncoding::Utf8);
        }
    }
}
