#include "WindowState.h"

#include "ColumnFitter.h"
#include "Errors.h"
#include "GridLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr std::string_view Section = "Window";
constexpr std::array<const char*, 4> GridKeys = {"Players Columns", "Details Columns", "Extras Columns",
                                                 "Matches Columns"};

// "col:width,col:width"
std::string widthsText(const std::map<int, int>& widths)
{
    QStringList parts;
    for (const auto& [col, width] : widths)
        parts << QStringLiteral("%1:%2").arg(col).arg(width);
    return parts.join(QLatin1Char(',')).toStdString();
}

std::map<int, int> widthsOf(const std::string& text)
{
    std::map<int, int> widths;
    for (const QString& part : QString::fromStdString(text).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList pair = part.split(QLatin1Char(':'));
        bool colRead = false;
        bool widthRead = false;
        const int col = pair.value(0).toInt(&colRead);
        const int width = pair.value(1).toInt(&widthRead);
        if (pair.size() == 2 && colRead && widthRead && col >= 0 && col < 256 && width >= 0 && width < 4096)
            widths[col] = width;
    }
    return widths;
}

} // namespace

WindowState::WindowState(const QString& path) : m_file(path) {}

QString WindowState::pathBeside(const QString& settingsPath)
{
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("TeamEditorWindow.ini"));
}

bool WindowState::restore(QWidget& window, GridLayout& layout) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    try {
        entries = m_file.readEntries(Section);
    } catch (const TeamEditorError&) {
        return false;
    }
    const auto value = [&entries](std::string_view key) -> std::string {
        for (const auto& [name, text] : entries) {
            if (name == key)
                return text;
        }
        return {};
    };
    // Far beyond any screen, yet small enough that the rectangle's sums cannot
    // overflow, whatever the file was made to hold.
    const auto coordinate = [&value](std::string_view key) {
        constexpr int Farthest = 1 << 20;
        return std::clamp(QString::fromStdString(value(key)).toInt(), -Farthest, Farthest);
    };
    const QRect stored(coordinate("Left"), coordinate("Top"), coordinate("Width"), coordinate("Height"));
    for (std::size_t grid = 0; grid < GridKeys.size(); ++grid) {
        for (const auto& [col, width] : widthsOf(value(GridKeys[grid])))
            layout.fitterOf(SheetGrid(grid)).columnDragged(col, width);
    }
    layout.layoutGrids();
    if (stored.width() <= 0 || stored.height() <= 0)
        return false;
    // A screen that went since keeps the window on the one it opened on.
    const QScreen* screen = QGuiApplication::screenAt(stored.center());
    const QRect room = (screen ? screen : window.screen())->availableGeometry();
    window.resize(stored.size().boundedTo(room.size()));
    if (screen)
        window.move(stored.topLeft());
    if (value("Maximized") == "1")
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

void WindowState::store(const QWidget& window, GridLayout& layout) const
{
    // Not maximised, the size and place the window goes back to.
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    std::vector<std::pair<std::string, std::string>> entries = {
        {"Left", std::to_string(window.isMaximized() ? normal.x() : window.x())},
        {"Top", std::to_string(window.isMaximized() ? normal.y() : window.y())},
        {"Width", std::to_string(normal.width())},
        {"Height", std::to_string(normal.height())},
        {"Maximized", window.isMaximized() ? "1" : "0"},
    };
    for (std::size_t grid = 0; grid < GridKeys.size(); ++grid)
        entries.emplace_back(GridKeys[grid], widthsText(layout.fitterOf(SheetGrid(grid)).draggedWidths()));
    try {
        m_file.replaceSection(Section, entries);
    } catch (const TeamEditorError&) {
        // See the header: nothing kept.
    }
}
