#include "ErrorReport.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <exception>

namespace {

std::function<void(const QString&)>& errorReportHook()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

} // namespace

void reportError(const QString& message)
{
    const QString text = message + QLatin1Char('.');
    if (errorReportHook()) {
        errorReportHook()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Team Editor"), text, QMessageBox::Ok);
    box.exec();
}

void setErrorReportHook(std::function<void(const QString& text)> hook)
{
    errorReportHook() = std::move(hook);
}

void runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportError(QCoreApplication::translate("ErrorReport", "Unknown failure"));
    }
}
