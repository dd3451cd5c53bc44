#include "Controls.h"
#include "ViewTestSupport.h"

#include "PageHistory.h"
#include "StringGrid.h"
#include "WindowState.h"

#include <QFile>
#include <QScreen>

namespace {

using WindowStateTest = ViewTest;

// The next window of the same user opens as the last one closed: its size,
// its place and the column widths dragged in it.
TEST_F(WindowStateTest, ANewWindowOpensAsTheLastOneClosed)
{
    m_view->resize(700, 500);
    m_view->move(30, 40);
    const QPoint place = m_view->pos();
    emit control<StringGrid>(m_view.get(), "TeamGrid")->columnDragged(1, 150);
    emit control<StringGrid>(m_view.get(), "GameGrid")->columnDragged(2, 90);
    ASSERT_TRUE(m_view->close());

    TTeamView next;
    EXPECT_EQ(next.size(), QSize(700, 500));
    EXPECT_EQ(next.pos(), place);
    EXPECT_EQ(control<StringGrid>(&next, "TeamGrid")->screenColWidth(1), 150);
    EXPECT_EQ(control<StringGrid>(&next, "GameGrid")->screenColWidth(2), 90);
    // Columns not dragged keep their widths.
    EXPECT_EQ(control<StringGrid>(&next, "TeamGrid")->screenColWidth(2),
              control<StringGrid>(m_view.get(), "TeamGrid")->screenColWidth(2));
}

// A window file edited by hand, or made to harm, opens a window that fits the
// screen: no place or size it holds is added up past the range of a number.
TEST_F(WindowStateTest, StoredPlacesBeyondAnyScreenOpenAWindowOnTheScreen)
{
    ASSERT_TRUE(m_view->close());
    const QString path = WindowState::pathBeside(PageHistory::locate(m_view->startDirectory()));
    for (const char* stored : {"Left=2147483647\nTop=2147483647\nWidth=2147483647\nHeight=2147483647\n",
                               "Left=-2147483648\nTop=-2147483648\nWidth=2147483647\nHeight=2147483647\n"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[Window]\n") + stored);
        file.close();

        TTeamView next;
        const QSize room = next.screen()->availableGeometry().size();
        EXPECT_LE(next.width(), room.width()) << stored;
        EXPECT_LE(next.height(), room.height()) << stored;
    }
}

} // namespace
