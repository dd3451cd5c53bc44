#include "PdfTools.h"

#include <QProcess>
#include <QRegularExpression>

QString toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& pdfPath)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(toolOutput("pdfinfo", {pdfPath}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfText(const QString& pdfPath)
{
    return toolOutput("pdftotext", {"-enc", "UTF-8", pdfPath, "-"}).simplified();
}
