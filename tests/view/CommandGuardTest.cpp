#include "ViewTestSupport.h"

#include "Controls.h"

#include "ErrorReport.h"
#include "Errors.h"

#include <QAction>
#include <QPushButton>

#include <stdexcept>

namespace {

class CommandGuardTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        setErrorReportHook([this](const QString& text) { m_reports << text; });
    }

    void TearDown() override
    {
        setErrorReportHook({});
        ViewTest::TearDown();
    }

    QStringList m_reports;
};

TEST_F(CommandGuardTest, ErrorsOfACommandEndInTheReport)
{
    const struct
    {
        std::function<void()> command;
        QString report;
    } cases[] = {
        {[] { throw EFileError("Cannot open file x.htm", "No such file or directory"); },
         "Cannot open file x.htm."},
        {[] { throw EConvertError("'12O' is not a valid integer value"); },
         "'12O' is not a valid integer value."},
        {[] { throw std::runtime_error("Disk full."); }, "Disk full.."},
        {[] { throw 42; }, "Unknown failure."},
    };
    for (const auto& c : cases) {
        m_reports.clear();
        EXPECT_NO_THROW(runCommand(c.command));
        EXPECT_EQ(m_reports, QStringList{c.report});
    }
    m_reports.clear();
    bool ran = false;
    runCommand([&ran] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(m_reports.isEmpty());
}

// Menu items and buttons report their command's failure themselves: nothing
// leaves through the signal, even when no event loop runs.
TEST_F(CommandGuardTest, MenuItemsAndButtonsReportTheirFailures)
{
    m_view->New1Click();
    m_choosers->fileAnswer = m_folder.filePath("no folder/team.htm");
    EXPECT_NO_THROW(control<QAction>(m_view.get(), "Save2")->trigger());
    EXPECT_EQ(m_reports, QStringList{"Cannot create file " + m_folder.filePath("no folder/team.htm") + "."});

    m_reports.clear();
    control<QAction>(m_view.get(), "Open1")->trigger();
    const QString missing = m_folder.filePath("missing.htm");
    m_dialog->setPageSource(missing);
    EXPECT_NO_THROW(control<QPushButton>(m_dialog.get(), "BtnParse")->click());
    EXPECT_EQ(m_reports, QStringList{"Cannot open file " + missing + "."});
    EXPECT_TRUE(m_dialog->isVisible()) << "the dialog stays open for another try";
}

} // namespace
