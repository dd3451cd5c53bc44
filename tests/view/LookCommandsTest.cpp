#include "ViewTestSupport.h"

#include "Controls.h"

#include "StringGrid.h"

#include <QFontMetrics>
#include <QLabel>

namespace {

class LookCommandsTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_view->New1Click();
    }

    std::vector<StringGrid*> tableGrids() const
    {
        return {control<StringGrid>(m_view.get(), "TeamGrid"), control<StringGrid>(m_view.get(), "TeamGrid2"),
                control<StringGrid>(m_view.get(), "TeamGrid3")};
    }
};

TEST_F(LookCommandsTest, TableColourGoesToEveryGridAndTheFocusedText)
{
    m_choosers->colorAnswer = 0x00FF00;
    m_view->Table1Click();
    EXPECT_EQ(m_choosers->colorPresets, std::vector<TColor>{0xD0FFFF});
    for (StringGrid* grid : tableGrids())
        EXPECT_EQ(grid->color(), 0x00FF00u);
    // The page writes the match record in the table's colours, so the screen shows them too.
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->color(), 0x00FF00u);
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "TeamGrid"), 1, 1), QColor(0, 0xFF, 0));
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "GameGrid"), 1, 1), QColor(0, 0xFF, 0));

    // The second chooser starts from the first choice.
    m_choosers->colorAnswer = 0x0000FF;
    m_view->Table1Click();
    EXPECT_EQ(m_choosers->colorPresets.back(), 0x00FF00u);

    m_view->New1Click();
    for (StringGrid* grid :
         {control<StringGrid>(m_view.get(), "TeamGrid"), control<StringGrid>(m_view.get(), "TeamGrid2"),
          control<StringGrid>(m_view.get(), "TeamGrid3"), control<StringGrid>(m_view.get(), "GameGrid")})
        EXPECT_EQ(grid->color(), 0xD0FFFFu);
}

TEST_F(LookCommandsTest, HeadingColourAndBackgroundGoToTheirTargetsOnly)
{
    m_choosers->colorAnswer = 0x112233;
    m_view->TableHeadings1Click();
    for (StringGrid* grid : tableGrids()) {
        EXPECT_EQ(grid->fixedColor(), 0x112233u);
        EXPECT_EQ(grid->color(), 0xD0FFFFu);
    }
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->fixedColor(), 0x112233u);
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "GameGrid"), 0, 0), QColor(0x33, 0x22, 0x11)) << "the match grid's headings";
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "GameGrid"), 1, 1), QColor(0xFF, 0xFF, 0xD0));
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "TeamGrid2"), 0, 1), QColor(0x33, 0x22, 0x11));

    m_choosers->colorAnswer = 0x445566;
    m_view->Backgound1Click();
    EXPECT_EQ(m_choosers->colorPresets.back(), 0xFFFFFFu);
    EXPECT_EQ(m_view->windowColor(), 0x445566u);
    EXPECT_EQ(m_view->grab().toImage().pixelColor(4, m_view->height() / 2), QColor(0x66, 0x55, 0x44));
    EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid")->color(), 0xD0FFFFu);
}

TEST_F(LookCommandsTest, CancelledChoosersChangeNothing)
{
    const QFont tableFont = m_view->tableFont();
    const QFont headingFont = m_view->headingFont();
    m_view->Backgound1Click();
    m_view->Table1Click();
    m_view->TableHeadings1Click();
    m_view->Main1Click();
    m_view->Table2Click();
    EXPECT_EQ(m_choosers->colorPresets, (std::vector<TColor>{0xFFFFFF, 0xD0FFFF, 0xA0D0D0}));
    EXPECT_EQ(m_choosers->titles,
              (std::vector<QString>{"Background Colour", "Table Colour", "Table Headings Colour",
                                    "Heading Font", "Table Font"}))
        << "each chooser names what it changes";
    ASSERT_EQ(m_choosers->fontPresets.size(), 2u);
    EXPECT_EQ(m_choosers->fontPresets[0].font, headingFont);
    EXPECT_EQ(m_choosers->fontPresets[1].font, tableFont);
    EXPECT_EQ(m_view->windowColor(), 0xFFFFFFu);
    for (StringGrid* grid : tableGrids()) {
        EXPECT_EQ(grid->color(), 0xD0FFFFu);
        EXPECT_EQ(grid->fixedColor(), 0xA0D0D0u);
    }
    EXPECT_EQ(m_view->tableFont(), tableFont);
    EXPECT_EQ(m_view->headingFont(), headingFont);
    EXPECT_EQ(m_view->tableFontColor(), 0u);
}

TEST_F(LookCommandsTest, TableFontReachesEveryGridAndItsRowHeights)
{
    QFont big(QStringLiteral("Courier"));
    big.setPixelSize(30);
    big.setUnderline(true);
    m_choosers->fontAnswer = FontChoice{big, 0x0000FF};
    m_view->Table2Click();
    EXPECT_EQ(m_view->tableFont(), big);
    EXPECT_EQ(m_view->tableFontColor(), 0x0000FFu);
    const int textHeight = QFontMetrics(big).height();
    for (StringGrid* grid : {control<StringGrid>(m_view.get(), "TeamGrid"), control<StringGrid>(m_view.get(), "TeamGrid2"), control<StringGrid>(m_view.get(), "TeamGrid3"), control<StringGrid>(m_view.get(), "GameGrid")}) {
        EXPECT_EQ(grid->font().pixelSize(), 30);
        for (int row = 0; row < grid->rowCount(); ++row)
            EXPECT_GE(grid->rowHeightAt(row), textHeight)
                << grid->objectName().toStdString() << " row " << row;
    }
    EXPECT_NE(m_view->headingFont().family(), "Courier");

    // File, New resets face and colour only.
    m_view->New1Click();
    EXPECT_EQ(m_view->tableFont().family(), "MS Sans Serif");
    EXPECT_EQ(m_view->tableFont().pixelSize(), 30);
    EXPECT_EQ(m_view->tableFontColor(), 0u);
    // The face that replaces Courier may be shorter: the rows fit its text.
    EXPECT_GE(control<StringGrid>(m_view.get(), "TeamGrid")->rowHeightAt(1),
              QFontMetrics(m_view->tableFont()).height())
        << "the size stays, so do the heights";
}

TEST_F(LookCommandsTest, HeadingFontChangesOnlyTheTeamNameHeading)
{
    QFont face(QStringLiteral("Serif"));
    face.setPixelSize(24);
    face.setItalic(true);
    const QFont tableFont = m_view->tableFont();
    const QFont label1Font = control<QLabel>(m_view.get(), "Label1")->font();
    m_choosers->fontAnswer = FontChoice{face, 0x0000FF};
    m_view->Main1Click();
    EXPECT_EQ(m_view->headingFont(), face);
    EXPECT_EQ(m_view->headingFontColor(), 0x0000FFu);
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->palette().color(QPalette::WindowText),
              QColor(0xFF, 0, 0));
    EXPECT_EQ(m_view->tableFont(), tableFont);
    EXPECT_EQ(control<QLabel>(m_view.get(), "Label1")->font(), label1Font);
}

} // namespace
