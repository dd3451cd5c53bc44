#pragma once

#include "IniFile.h"

#include <QString>

class GridLayout;
class QWidget;

// The main window's size, place and dragged column widths, kept between runs
// in section "Window" of an ini file beside the settings file.
class WindowState
{
public:
    explicit WindowState(const QString& path);
    // The window state file in the folder of the settings file.
    static QString pathBeside(const QString& settingsPath);

    // Gives the window its stored size and place, kept within a screen, and
    // the grids their dragged widths; false when nothing was stored.
    bool restore(QWidget& window, GridLayout& layout) const;
    // Stores them; a folder that cannot be written to keeps nothing, silently:
    // the window's state is no reason to keep the program from ending.
    void store(const QWidget& window, GridLayout& layout) const;

private:
    IniFile m_file;
};
