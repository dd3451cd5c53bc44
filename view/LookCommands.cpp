#include "LookCommands.h"

#include "Choosers.h"
#include "ColorValue.h"
#include "GridLayout.h"
#include "StringGrid.h"

#include <QLabel>
#include <QWidget>

namespace {

// The window's font with the sheet's face; size and style stay.
QFont withFace(QFont font, const QString& face)
{
    if (font.family() != face)
        font.setFamily(face);
    return font;
}

} // namespace

LookCommands::LookCommands(RosterSheet& sheet, const WindowGrids& controls, GridLayout& layout,
                           QWidget* window)
    : QObject(window), m_sheet(sheet), m_controls(controls), m_layout(layout), m_window(window)
{
}

QFont LookCommands::tableFont() const
{
    return m_controls.canvas->font();
}

QFont LookCommands::headingFont() const
{
    return m_controls.LbTName->font();
}

void LookCommands::applyGridColors()
{
    for (StringGrid* grid : m_controls.all()) {
        grid->setColor(m_sheet.color(SheetColor::Table));
        grid->setFixedColor(m_sheet.color(SheetColor::Headings));
    }
}

void LookCommands::chooseBackgroundColor()
{
    TColor color = m_sheet.color(SheetColor::Window);
    choosers().chooseColor(m_window, tr("Background Colour"), color);
    m_sheet.setColor(SheetColor::Window, color);
}

void LookCommands::chooseTableColor()
{
    TColor color = m_sheet.color(SheetColor::Table);
    choosers().chooseColor(m_window, tr("Table Colour"), color);
    m_sheet.setColor(SheetColor::Table, color);
}

void LookCommands::chooseHeadingsColor()
{
    TColor color = m_sheet.color(SheetColor::Headings);
    choosers().chooseColor(m_window, tr("Table Headings Colour"), color);
    m_sheet.setColor(SheetColor::Headings, color);
}

void LookCommands::chooseHeadingFont()
{
    FontChoice choice{headingFont(), m_sheet.fontColor(SheetFont::Heading)};
    choosers().chooseFont(m_window, tr("Heading Font"), choice);
    // Size and style are the window's; face and colour go through the sheet.
    m_controls.LbTName->setFont(choice.font);
    m_sheet.setFont(SheetFont::Heading, choice.font.family(), choice.color);
    m_layout.layoutGrids();
}

void LookCommands::chooseTableFont()
{
    FontChoice choice{tableFont(), m_sheet.fontColor(SheetFont::Table)};
    choosers().chooseFont(m_window, tr("Table Font"), choice);
    m_controls.canvas->setFont(choice.font);
    m_sheet.setFont(SheetFont::Table, choice.font.family(), choice.color);
    applyTableFont();
}

void LookCommands::applyWindowColor()
{
    QPalette colors = m_controls.canvas->palette();
    colors.setColor(QPalette::Window, toQColor(m_sheet.color(SheetColor::Window), m_window->palette()));
    m_controls.canvas->setPalette(colors);
}

void LookCommands::applyTableFont()
{
    m_controls.canvas->setFont(withFace(m_controls.canvas->font(), m_sheet.fontName(SheetFont::Table)));
    for (StringGrid* grid : m_controls.all())
        grid->viewport()->update();
    m_layout.fitGrids();
}

void LookCommands::applyHeadingFont()
{
    QLabel* LbTName = m_controls.LbTName;
    LbTName->setFont(withFace(LbTName->font(), m_sheet.fontName(SheetFont::Heading)));
    QPalette colors = LbTName->palette();
    colors.setColor(QPalette::WindowText,
                    toQColor(m_sheet.fontColor(SheetFont::Heading), m_window->palette()));
    LbTName->setPalette(colors);
}
