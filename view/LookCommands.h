#pragma once

#include "RosterSheet.h"
#include "WindowGrids.h"

#include <QFont>
#include <QObject>

class GridLayout;

// The Colors and Fonts commands, and the window's colours and faces following
// the sheet's. Font sizes and styles are the window's own.
class LookCommands : public QObject
{
    Q_OBJECT
public:
    LookCommands(RosterSheet& sheet, const WindowGrids& controls, GridLayout& layout, QWidget* window);

    void chooseBackgroundColor();
    void chooseTableColor();
    void chooseHeadingsColor();
    void chooseHeadingFont();
    void chooseTableFont();

    QFont tableFont() const;
    QFont headingFont() const;

    void applyWindowColor();
    void applyGridColors();
    void applyTableFont();
    void applyHeadingFont();

private:
    RosterSheet& m_sheet;
    WindowGrids m_controls;
    GridLayout& m_layout;
    QWidget* m_window;
};
