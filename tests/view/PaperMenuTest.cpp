#include "Controls.h"
#include "PdfTools.h"
#include "StringGrid.h"
#include "ViewTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

namespace {

bool isOnePagePdf(const QString& path)
{
    return toolOutput("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+1\n"));
}

class PaperMenuTest : public ViewTest
{
protected:
    QAction* action(const char* name) { return m_view->findChild<QAction*>(QString::fromLatin1(name)); }

    // A new team with edits that were never saved.
    void showEditedTeam()
    {
        m_view->New1Click();
        control<StringGrid>(m_view.get(), "TeamGrid2")->setCell(1, 0, QStringLiteral("Unsaved Reavers"));
        control<StringGrid>(m_view.get(), "TeamGrid")
            ->setCell(1, 3, QStringLiteral("Edited, \"Quoted\" Name"));
    }

    QString path(const QString& name) const { return m_folder.filePath(name); }
};

TEST_F(PaperMenuTest, CommandsSitInTheFileMenuAndFollowSave)
{
    QStringList texts;
    for (const QAction* item : control<QMenu>(m_view.get(), "File1")->actions())
        texts << item->text();
    EXPECT_EQ(texts,
              (QStringList{"&New", "&Open...", "Open &Recent", "&Import...", "&Save", "Save &As...", "",
                           "&Print...", "Print Pre&view", "Print in &Black and White", "Print &with Findings",
                           "Export P&DF...", "Export Players as &CSV...", "", "E&xit"}));
    EXPECT_EQ(action("Print1")->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_EQ(action("Print1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    for (const char* name : {"Print1", "PrintPreview1", "ExportPdf1", "ExportCsv1"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    m_view->New1Click();
    for (const char* name : {"Print1", "PrintPreview1", "ExportPdf1", "ExportCsv1"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
}

TEST_F(PaperMenuTest, PrintPreviewOpensWithOnePage)
{
    showEditedTeam();
    int pages = -1;
    QString title;
    // The preview is modal: look at it from inside its own loop, then close it.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
        title = dialog->printer()->docName();
        dialog->reject();
    });
    action("PrintPreview1")->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(title, "Unsaved Reavers");
}

TEST_F(PaperMenuTest, ExportPdfWritesWhatTheWindowShowsWithoutSaving)
{
    showEditedTeam();
    m_choosers->fileAnswer = path("roster.pdf");
    action("ExportPdf1")->trigger();

    ASSERT_TRUE(isOnePagePdf(path("roster.pdf")));
    const QString text = toolOutput("pdftotext", {path("roster.pdf"), "-"}).simplified();
    EXPECT_TRUE(text.contains("Unsaved Reavers"));
    EXPECT_TRUE(text.contains("Edited, \"Quoted\" Name"));
    EXPECT_EQ(m_choosers->exportSuffixes, std::vector<QString>{"pdf"});
    EXPECT_EQ(m_choosers->exportTitles, std::vector<QString>{"Export PDF"});
    // The first export proposes the roster's name.
    EXPECT_EQ(m_choosers->filePresets.front(), QDir::current().filePath("Unsaved Reavers.pdf"));
    for (const std::string& line : m_view->pageBuffer())
        EXPECT_EQ(line.find("Unsaved"), std::string::npos) << "nothing was saved";

    // The chooser starts from the name chosen last; a cancel writes nothing.
    m_choosers->fileAnswer.reset();
    QFile::remove(path("roster.pdf"));
    action("ExportPdf1")->trigger();
    EXPECT_EQ(m_choosers->filePresets.back(), path("roster.pdf"));
    EXPECT_FALSE(QFile::exists(path("roster.pdf")));
}

TEST_F(PaperMenuTest, ExportCsvWritesTheShownCells)
{
    showEditedTeam();
    m_choosers->fileAnswer = path("roster.csv");
    action("ExportCsv1")->trigger();

    QFile file(path("roster.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.contains("\r\n3,\"Edited, \"\"Quoted\"\" Name\",,"));
    EXPECT_TRUE(csv.contains("\r\nTeam Name,Unsaved Reavers\r\n"));
    EXPECT_EQ(m_choosers->exportSuffixes, std::vector<QString>{"csv"});
    EXPECT_EQ(m_choosers->exportTitles, std::vector<QString>{"Export Players as CSV"});
}

TEST_F(PaperMenuTest, PrintGoesToThePrinterTheDialogChose)
{
    showEditedTeam();
    action("BlackAndWhite1")->setChecked(true);
    QPrinter::ColorMode offered = QPrinter::Color;
    m_choosers->printerAnswer = [&](QPrinter& printer) {
        offered = printer.colorMode();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("printed.pdf"));
        return true;
    };
    action("Print1")->trigger();

    EXPECT_EQ(offered, QPrinter::GrayScale);
    ASSERT_TRUE(isOnePagePdf(path("printed.pdf")));
    EXPECT_TRUE(toolOutput("pdftotext", {path("printed.pdf"), "-"}).contains("Unsaved Reavers"));

    // A cancelled dialog prints nothing.
    m_choosers->printerAnswer = nullptr;
    QFile::remove(path("printed.pdf"));
    action("Print1")->trigger();
    EXPECT_FALSE(QFile::exists(path("printed.pdf")));
}

} // namespace
