#include "ShortcutsDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The command as the menu shows it, without its access key mark or ellipsis.
QString commandText(const QAction& action)
{
    QString text = action.text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text.replace(QLatin1String("&&"), QLatin1String("&"));
    if (text.endsWith(QLatin1String("...")))
        text.chop(3);
    return text;
}

} // namespace

QList<QPair<QString, QString>> ShortcutsDialog::rows(const QList<QAction*>& actions)
{
    QList<QPair<QString, QString>> result;
    for (const QAction* action : actions) {
        // The key the desktop shows in the menu: the others of a standard
        // command are alternatives of keyboards that few have (F14 for Undo).
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        if (!keys.isEmpty())
            result.append({commandText(*action), keys});
    }
    return result;
}

ShortcutsDialog::ShortcutsDialog(const QList<QAction*>& actions, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    const auto lines = rows(actions);
    m_table = new QTableWidget(int(lines.size()), 2, this);
    m_table->setObjectName(QStringLiteral("ShortcutsTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Command"), QStringLiteral("Keys")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < lines.size(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(lines.at(row).first));
        m_table->setItem(row, 1, new QTableWidgetItem(lines.at(row).second));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(360, 360);
}
