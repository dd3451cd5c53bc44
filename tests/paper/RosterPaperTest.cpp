#include "RosterPaper.h"

#include "PageFixtures.h"
#include "PaperFixtures.h"
#include "PdfTools.h"
#include "PeakMemory.h"

#include "MatchRecord.h"

#include <QFile>
#include <QImage>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

class RosterPaperTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString storedPdf(const RosterSheet& sheet, const QString& name, const PaperOptions& options = {})
    {
        const QString path = m_dir.filePath(name);
        storeRosterPdf(sheet, options, path);
        return path;
    }

    // Page 1 at a low resolution.
    QImage picture(const QString& pdfPath)
    {
        const QString prefix = pdfPath + "-page";
        toolOutput("pdftoppm", {"-png", "-r", "40", "-singlefile", pdfPath, prefix});
        return QImage(prefix + ".png");
    }

    QTemporaryDir m_dir;
};

TEST_F(RosterPaperTest, SamplePageIsOnePageHoldingEveryNameTheTeamAndTheTotal)
{
    const RosterSheet sample = sheetOfPage(samplePagePath());
    const QString pdf = storedPdf(sample, "sample.pdf");

    EXPECT_EQ(pdfPageCount(pdf), 1);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(sample.cell(SheetGrid::Details, 1, 0))) << text.toStdString();
    EXPECT_TRUE(text.contains("TOTAL COST OF TEAM: " + sample.cell(SheetGrid::Details, 1, 5)))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Match Record"));
    EXPECT_FALSE(text.contains("left out"));
    int players = 0;
    for (int row = 1; row <= PlayerSlotCount; ++row) {
        const QString name = sample.cell(SheetGrid::Players, 1, row);
        if (name.isEmpty())
            continue;
        ++players;
        EXPECT_TRUE(text.contains(name)) << name.toStdString();
    }
    EXPECT_GT(players, 8);
}

TEST_F(RosterPaperTest, FullestRostersStayOnOnePage)
{
    for (const bool wordedSkills : {true, false}) {
        SCOPED_TRACE(wordedSkills ? "skills in words" : "skills in one word");
        const RosterSheet widest = widestSheet(wordedSkills);
        const RosterPaper paper(widest);
        EXPECT_EQ(paper.pageLayout().orientation(), QPageLayout::Landscape);
        const QString pdf = storedPdf(widest, "widest.pdf");
        EXPECT_EQ(pdfPageCount(pdf), 1);
        EXPECT_LT(paper.fontPointSize(), 10.0);
        // Skills that break into words wrap in their cells and keep the
        // print readable; one unbroken word can only be shrunk.
        if (wordedSkills)
            EXPECT_GE(paper.fontPointSize() * paper.shrink(), 4.0);
        else
            EXPECT_LT(paper.shrink(), 1.0);
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(widest.cell(SheetGrid::Details, 1, 0)));
        EXPECT_TRUE(text.contains("TOTAL COST OF TEAM: " + widest.cell(SheetGrid::Details, 1, 5)));
    }
}

TEST_F(RosterPaperTest, EmptyRostersPrintTheirEmptySheet)
{
    for (const auto& [name, sheet] :
         {std::pair{"new team", newTeamSheet()}, std::pair{"window at start-up", startUpSheet()}}) {
        SCOPED_TRACE(name);
        const QString pdf = storedPdf(sheet, "empty.pdf");
        EXPECT_EQ(pdfPageCount(pdf), 1);
        EXPECT_TRUE(pdfText(pdf).contains("TOTAL COST OF TEAM:"));
        EXPECT_TRUE(pdfText(pdf).contains("Match Record"));
    }
}

TEST_F(RosterPaperTest, SampleIsLaidOutReadableOnLandscapePaperOfTheChosenSize)
{
    const RosterSheet sample = sheetOfPage(samplePagePath());
    for (const auto& [id, pdfInfoSize] : {std::pair{QPageSize::A4, "842 x 595 pts (A4)"},
                                          std::pair{QPageSize::Letter, "792 x 612 pts (letter)"}}) {
        PaperOptions options;
        options.pageSize = QPageSize(id);
        const RosterPaper paper(sample, options);
        EXPECT_EQ(paper.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_GE(paper.fontPointSize(), 8.0);
        EXPECT_EQ(paper.shrink(), 1.0);
        const QString pdf = storedPdf(sample, "sized.pdf", options);
        EXPECT_TRUE(toolOutput("pdfinfo", {pdf}).contains(pdfInfoSize))
            << toolOutput("pdfinfo", {pdf}).toStdString();
    }
}

TEST_F(RosterPaperTest, PaperSizeFollowsTheLocale)
{
    const std::pair<const char*, QPageSize::PageSizeId> cases[] = {
        {"en_US", QPageSize::Letter}, {"en_CA", QPageSize::Letter}, {"es_MX", QPageSize::Letter},
        {"de_DE", QPageSize::A4},     {"en_GB", QPageSize::A4},     {"fr_FR", QPageSize::A4},
        {"ja_JP", QPageSize::A4},
    };
    for (const auto& [locale, size] : cases)
        EXPECT_EQ(localPageSize(QLocale(locale)).id(), size) << locale;
}

bool isGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

int colouredPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isGrey(image.pixel(x, y)) ? 0 : 1;
    return count;
}

TEST_F(RosterPaperTest, ColoursPrintAsShownUnlessBlackAndWhiteIsAsked)
{
    const RosterSheet sample = sheetOfPage(samplePagePath());
    PaperOptions blackAndWhite;
    blackAndWhite.blackAndWhite = true;
    const QImage coloured = picture(storedPdf(sample, "colour.pdf"));
    const QImage plain = picture(storedPdf(sample, "plain.pdf", blackAndWhite));
    ASSERT_FALSE(coloured.isNull());
    ASSERT_FALSE(plain.isNull());

    // The table's pale yellow fills most cells.
    const QColor table(QString::fromLatin1("#FFFFD0"));
    int tablePixels = 0;
    for (int y = 0; y < coloured.height(); ++y)
        for (int x = 0; x < coloured.width(); ++x)
            tablePixels += coloured.pixelColor(x, y) == table ? 1 : 0;
    EXPECT_GT(tablePixels, coloured.width() * coloured.height() / 10);
    EXPECT_EQ(colouredPixels(plain), 0);
}

// A match record of the most rows and columns the reader takes: its first
// rows print on the one sheet with a note of the rest, in bounded memory.
TEST_F(RosterPaperTest, TheLargestMatchRecordPrintsItsFirstRowsAndCountsTheRest)
{
    RosterSheet sheet = sheetOfPage(samplePagePath());
    const int rows = MaxMatchRecordRows - 2;
    const int columns = MaxMatchRecordColumns;
    // Every cell holds its own text, so that a row printed is a row found.
    sheet.setShape(SheetGrid::Matches, {columns, rows + 1, 1, 0});
    for (int row = 0; row <= rows; ++row) {
        for (int col = 0; col < columns; ++col)
            sheet.setCell(SheetGrid::Matches, col, row, QStringLiteral("r%1c%2").arg(row).arg(col));
    }
    const long before = peakKilobytes();
    const RosterPaper paper(sheet);
    const QString pdf = m_dir.filePath("largest.pdf");
    const QByteArray bytes = rosterPdf(paper);
    if (!memoryIsShadowed) {
        EXPECT_LT(peakKilobytes() - before, 500 * 1024);
    }

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    EXPECT_EQ(pdfPageCount(pdf), 1);
    const QString text = pdfText(pdf).simplified();
    const QRegularExpression note(
        QStringLiteral("The first (\\d+) of 9,998 matches are printed; ([\\d,]+) are left out\\."));
    const QRegularExpressionMatch match = note.match(text);
    ASSERT_TRUE(match.hasMatch()) << text.right(300).toStdString();
    const int printed = match.captured(1).toInt();
    EXPECT_GT(printed, 20);
    EXPECT_EQ(QLocale(QLocale::English).toInt(match.captured(2)), rows - printed);
    EXPECT_TRUE(text.contains(QStringLiteral("r1c0"))) << "the first match";
    EXPECT_TRUE(text.contains(QStringLiteral("r%1c0").arg(printed))) << "the last match printed";
    EXPECT_FALSE(text.contains(QStringLiteral("r%1c0").arg(printed + 1))) << "a match left out";
    EXPECT_TRUE(text.contains("TOTAL COST OF TEAM: " + sheet.cell(SheetGrid::Details, 1, 5)));
}

TEST_F(RosterPaperTest, UnwritableFolderFailsWithTheStoreMessageAndLeavesNoFile)
{
    const RosterSheet sample = sheetOfPage(samplePagePath());
    EXPECT_TRUE(failsInReadOnlyFolder(m_dir.path(), "team.pdf",
                                      [&](const QString& target) { storeRosterPdf(sample, {}, target); }));
}

} // namespace

// The font is the largest of the sizes tried that fits, found by halving the
// range of sizes: as a match record grows row by row, the size chosen steps
// down through the list and never back up.
TEST_F(RosterPaperTest, LongerMatchRecordsNeverPrintLarger)
{
    const std::vector<qreal> sizesTried = {10.0, 9.0, 8.0, 7.5, 7.0, 6.5, 6.0, 5.5, 5.0};
    RosterSheet sheet = sheetOfPage(samplePagePath());
    std::vector<qreal> chosen;
    for (int rows = 1; rows <= 40; rows += 3) {
        sheet.setShape(SheetGrid::Matches, {8, rows + 1, 1, 0});
        for (int col = 0; col < 8; ++col)
            sheet.setCell(SheetGrid::Matches, col, rows, QStringLiteral("game %1").arg(rows));
        const RosterPaper paper(sheet);
        const qreal printed = paper.fontPointSize() * paper.shrink();
        EXPECT_NE(std::find(sizesTried.begin(), sizesTried.end(), paper.fontPointSize()), sizesTried.end());
        if (!chosen.empty()) {
            EXPECT_LE(printed, chosen.back()) << rows << " rows";
        }
        chosen.push_back(printed);
    }
    EXPECT_GE(std::set<qreal>(chosen.begin(), chosen.end()).size(), 3u) << "the sizes are stepped through";
}
