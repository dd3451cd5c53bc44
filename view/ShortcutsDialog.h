#pragma once

#include <QDialog>
#include <QList>

class QAction;
class QTableWidget;

// Help, Keyboard Shortcuts: a table of the commands that have keys, taken
// from the window's own actions so that it always tells what the keys do.
class ShortcutsDialog : public QDialog
{
    Q_OBJECT
public:
    ShortcutsDialog(const QList<QAction*>& actions, QWidget* parent = nullptr);

    // Command and key texts as the table shows them, in its order.
    static QList<QPair<QString, QString>> rows(const QList<QAction*>& actions);

private:
    QTableWidget* m_table;
};
