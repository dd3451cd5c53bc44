#include "RosterPaper.h"

#include "PaperFixtures.h"
#include "PdfTools.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

PaperFindings numberedFindings(int count)
{
    PaperFindings findings{QStringLiteral("Findings (%1) against the rules of the Test League").arg(count),
                           {}};
    for (int line = 1; line <= count; ++line)
        findings.lines << QStringLiteral("Error: finding number %1 <of> the roster & its rules").arg(line);
    return findings;
}

} // namespace

// The list follows the roster below it when it fits there, and on pages of
// its own when it does not; the PDF holds every line whole, and as many pages
// as the layout says.
TEST(FindingsPaper, TheListFollowsTheRosterOnAsManyPagesAsItTakes)
{
    ensureGuiApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    struct Row
    {
        const char* name;
        RosterSheet sheet;
        int findings;
        int fewestPages;
        int mostPages;
    };
    const Row rows[] = {
        {"a short list below an empty roster", newTeamSheet(), 3, 1, 1},
        {"no findings: the heading alone", newTeamSheet(), 0, 1, 1},
        {"a list longer than a page after the sample", samplePageSheet(), 150, 3, 8},
        {"a list below the fullest roster", widestSheet(true), 2, 1, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaperOptions options;
        options.findings = numberedFindings(row.findings);
        const RosterPaper paper(row.sheet, options);
        EXPECT_GE(paper.pageCount(), row.fewestPages);
        EXPECT_LE(paper.pageCount(), row.mostPages);
        EXPECT_TRUE(paper.findingsText().startsWith(options.findings.heading));
        EXPECT_EQ(paper.findingsText().count(QStringLiteral("finding number")), row.findings);

        const QString pdf = folder.filePath("listed.pdf");
        storeRosterPdf(row.sheet, options, pdf);
        EXPECT_EQ(pdfPageCount(pdf), paper.pageCount());
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(options.findings.heading));
        for (const QString& line : options.findings.lines)
            EXPECT_TRUE(text.contains(line)) << line.toStdString();
    }
}

TEST(FindingsPaper, NoListLeavesTheRosterAsItWas)
{
    ensureGuiApplication();
    const RosterSheet sample = samplePageSheet();
    const RosterPaper plain(sample);
    PaperOptions withHeadingOnly;
    withHeadingOnly.findings.lines << QStringLiteral("a line without a heading");
    const RosterPaper unlisted(sample, withHeadingOnly);
    EXPECT_EQ(unlisted.pageCount(), 1);
    EXPECT_EQ(unlisted.findingsText(), QString());
    EXPECT_EQ(rosterPdf(unlisted).size(), rosterPdf(plain).size());
}
