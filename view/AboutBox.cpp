#include "AboutBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QtGlobal>

namespace {

// The licence of the whole project, as in its LICENSE file.
constexpr const char* LicenceText = "Licence: MIT. See the LICENSE file that comes with the program.";

} // namespace

QString AboutBox::title()
{
    return QStringLiteral("About Team Editor");
}

QString AboutBox::text()
{
    return QStringLiteral("<h3>Team Editor %1</h3>"
                          "<p>Reads the roster page of a fantasy sports board game team from a file or a "
                          "web address, lets you edit it and writes it back as HTML.</p>"
                          "<p>%2</p><p>Built with Qt %3, running on Qt %4.</p>")
        .arg(QCoreApplication::applicationVersion().toHtmlEscaped(), QString::fromLatin1(LicenceText),
             QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()));
}

void AboutBox::show(QWidget* parent)
{
    QMessageBox::about(parent, title(), text());
}
