#include "ViewTestSupport.h"

#include "TeamEditorApplication.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

class ApplicationTest : public ViewTest
{
protected:
    void TearDown() override
    {
        TeamEditorApplication::setErrorReportHook({});
        ViewTest::TearDown();
    }
};

TEST_F(ApplicationTest, FailureOfACommandIsReportedAndTheLoopGoesOn)
{
    QStringList reports;
    TeamEditorApplication::setErrorReportHook([&reports](const QString& text) { reports << text; });
    m_view->New1Click();
    m_dialog->setPageSource(QString());

    // Through the event loop, as a menu choice arrives.
    QMetaObject::invokeMethod(m_view->Save2, &QAction::trigger, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, QStringList{"Cannot create file ."});

    QMetaObject::invokeMethod(m_view->New1, &QAction::trigger, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_EQ(reports.size(), 1);
}

TEST_F(ApplicationTest, ReportIsAnErrorBoxTitledTeamEditor)
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    // The report is modal: look at it from inside its own loop, then close it.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        box->accept();
    });
    TeamEditorApplication::reportError(QStringLiteral("Host Lookup Failed."));
    EXPECT_EQ(title, "Team Editor");
    EXPECT_EQ(text, "Host Lookup Failed..");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

} // namespace
