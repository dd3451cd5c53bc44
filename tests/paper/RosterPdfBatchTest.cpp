#include "RosterPdfBatch.h"

#include "Errors.h"
#include "PageFixtures.h"
#include "PaperFixtures.h"
#include "PdfPageSplit.h"
#include "PdfTools.h"
#include "RosterPaper.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class RosterPdfBatchTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    QString written(const QByteArray& pdf, const QString& name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
        return file.fileName();
    }

    QImage picture(const QString& pdfPath)
    {
        toolOutput("pdftoppm", {"-png", "-r", "40", "-singlefile", pdfPath, pdfPath});
        return QImage(pdfPath + ".png");
    }

    QString info(const QString& pdfPath, const QString& field)
    {
        const QRegularExpression line("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
        return line.match(toolOutput("pdfinfo", {pdfPath})).captured(1);
    }

    QTemporaryDir m_dir;
};

RosterSheet titled(RosterSheet sheet, const QString& title)
{
    sheet.setCell(SheetGrid::Details, 1, 0, title);
    return sheet;
}

// Each roster of a batch comes out as the document it makes on its own: one
// page of the same size, text and look, under its own title. The titles hold
// the bytes a PDF string escapes, also as halves of a character (U+2829 is the
// bytes of "()", U+0D05 starts with a carriage return).
TEST_F(RosterPdfBatchTest, EachRosterLooksAsOnItsOwn)
{
    const RosterSheet sample = sheetOfPage(samplePagePath());
    PaperOptions blackAndWhite;
    blackAndWhite.blackAndWhite = true;
    const struct
    {
        const char* name;
        RosterSheet sheet;
        PaperOptions options;
    } rosters[] = {
        {"sample", sample, {}},
        {"widest, landscape", widestSheet(true), {}},
        {"new team, portrait", titled(newTeamSheet(), QStringLiteral("(New) \\ Team")), {}},
        {"black and white", titled(sample, QString::fromUtf8("Grim \u2829 \u0D05 \u00C9quipe")),
         blackAndWhite},
    };
    std::vector<std::unique_ptr<RosterPaper>> papers;
    RosterPdfBatch batch;
    for (const auto& roster : rosters) {
        papers.push_back(std::make_unique<RosterPaper>(roster.sheet, roster.options));
        batch.add(*papers.back());
    }
    EXPECT_EQ(batch.size(), std::size(rosters));
    const std::vector<QByteArray> documents = batch.take();
    ASSERT_EQ(documents.size(), std::size(rosters));
    EXPECT_EQ(batch.size(), 0u);

    for (std::size_t i = 0; i < documents.size(); ++i) {
        SCOPED_TRACE(rosters[i].name);
        const QString alone = written(rosterPdf(*papers[i]), QStringLiteral("alone%1.pdf").arg(i));
        const QString split = written(documents[i], QStringLiteral("split%1.pdf").arg(i));
        EXPECT_EQ(pdfPageCount(split), 1);
        EXPECT_EQ(info(split, "Title"), papers[i]->title());
        EXPECT_EQ(info(split, "Page size"), info(alone, "Page size"));
        EXPECT_EQ(pdfText(split), pdfText(alone));
        const QImage picture = this->picture(split);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture, this->picture(alone));
    }
}

// A batch taken starts a new document with the next roster; one taken empty
// gives nothing.
TEST_F(RosterPdfBatchTest, TakenBatchStartsAnew)
{
    RosterPdfBatch batch;
    EXPECT_TRUE(batch.take().empty());
    const RosterPaper sample(sheetOfPage(samplePagePath()));
    const RosterPaper empty(titled(newTeamSheet(), QStringLiteral("Second")));
    for (const RosterPaper* paper : {&sample, &empty}) {
        batch.add(*paper);
        const std::vector<QByteArray> documents = batch.take();
        ASSERT_EQ(documents.size(), 1u);
        const QString path = written(documents[0], "again.pdf");
        EXPECT_EQ(pdfPageCount(path), 1);
        EXPECT_EQ(info(path, "Title"), paper->title());
    }
}

TEST(PdfPageSplit, DocumentsNotLaidOutAsExpectedAreRefused)
{
    const QByteArray table = "xref\n0 2\n0000000000 65535 f \n0000000009 00000 n \ntrailer\n";
    const struct
    {
        const char* name;
        QByteArray pdf;
        std::size_t titles;
    } cases[] = {
        {"no PDF", "hello", 0},
        {"no table where it points", "%PDF-1.4\n1 0 obj\n<<>>\nendobj\nstartxref\n3\n%%EOF\n", 0},
        {"cut table", "%PDF-1.4\nxref\n0 9\n0000000000 65535 f \ntrailer\n<<>>\nstartxref\n9\n%%EOF\n", 0},
        {"no catalogue",
         "%PDF-1.4\n1 0 obj\n<<>>\nendobj\n" + table + "<<\n/Size 2\n>>\nstartxref\n25\n%%EOF\n", 0},
        {"missing object",
         "%PDF-1.4\n1 0 obj\n<<>>\nendobj\n" + table +
             "<<\n/Size 2\n/Info 1 0 R\n/Root 5 0 R\n>>\nstartxref\n25\n%%EOF\n",
         0},
    };
    for (const auto& c : cases)
        EXPECT_THROW(splitPdfPages(c.pdf, std::vector<QString>(c.titles)), EFileError) << c.name;
}

TEST_F(RosterPdfBatchTest, EveryPageNeedsItsTitle)
{
    const RosterPaper sample(sheetOfPage(samplePagePath()));
    const QByteArray pdf = rosterPdf(sample);
    EXPECT_THROW(splitPdfPages(pdf, {}), EFileError);
    EXPECT_THROW(splitPdfPages(pdf, {"a", "b"}), EFileError);
    EXPECT_EQ(splitPdfPages(pdf, {"a"}).size(), 1u);
}

TEST(PdfPageSplit, TitlesEscapeTheBytesALiteralStringReads)
{
    const std::pair<QString, QByteArray> cases[] = {
        {"", "(\xFE\xFF)"},
        {"A(b)", QByteArray("(\xFE\xFF\0A\0\\(\0b\0\\))", 14)},
        {"\\", QByteArray("(\xFE\xFF\0\\\\)", 7)},
        {QString(QChar(0x0D0A)), "(\xFE\xFF\\r\n)"},
    };
    for (const auto& [title, string] : cases)
        EXPECT_EQ(pdfTextString(title), string) << title.toStdString();
}

} // namespace
