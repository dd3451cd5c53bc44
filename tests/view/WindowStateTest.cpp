#include "Controls.h"
#include "ViewTestSupport.h"

#include "StringGrid.h"

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

} // namespace
