#pragma once

#include <QMenu>

#include <functional>

// File, Open Recent: the pages read last, newest first, as numbered items,
// filled afresh from the history file each time it opens, so that pages read
// in another run of the editor show too.
class RecentPagesMenu : public QMenu
{
    Q_OBJECT
public:
    using OpenHandler = std::function<void(const QString& page)>;

    RecentPagesMenu(QString iniPath, OpenHandler open, QWidget* parent = nullptr);

    // Rebuilds the items from the file; the menu does this before it shows.
    void refresh();

private:
    QString m_iniPath;
    OpenHandler m_open;
};
