#include "PaperCommands.h"

#include "Errors.h"
#include "OutputPlan.h"
#include "PageBatch.h"
#include "RosterCsv.h"
#include "RosterPaper.h"
#include "SheetBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

struct PaperExport
{
    const char* name;
    const char* suffix;
    void (*store)(const RosterSheet& sheet, const QString& fileName);
    bool needsFonts; // and so an application object
};

void storePdf(const RosterSheet& sheet, const QString& fileName)
{
    storeRosterPdf(sheet, PaperOptions{}, fileName);
}

const PaperExport pdfExport{"pdf", ".pdf", storePdf, true};
const PaperExport csvExport{"csv", ".csv", storeRosterCsv, false};

// What the window shows of the page, as File, Open would show it.
RosterSheet sheetOfPage(const std::string& path)
{
    const ReadPage page = readPageFile(path);
    return buildSheet(page.team, page.matchRecord, page.encoding);
}

// The offscreen platform's notes (no runtime folder) are no output of the
// command; only Qt's own errors reach standard error.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Fonts need an application object, but no display.
std::unique_ptr<QGuiApplication> applicationFor(const PaperExport& kind)
{
    if (!kind.needsFonts)
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtErrorsOnly);
    static int argc = 1;
    static char name[] = "team-editor-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int usage(const PaperExport& kind)
{
    std::fprintf(stderr, "usage: team-editor-cli %s IN OUT%s\n       team-editor-cli %s --to DIR PAGE...\n",
                 kind.name, kind.suffix, kind.name);
    return 2;
}

// Returns the line the failure is reported with, or nothing when the page was stored.
std::optional<std::string> exportPage(const PaperExport& kind, const std::string& page,
                                      const std::function<QString()>& output, bool manyPages)
{
    try {
        kind.store(sheetOfPage(page), output());
        return std::nullopt;
    } catch (const TeamEditorError& error) {
        return pageFailureLine(page, error, manyPages);
    }
}

int exportOne(const PaperExport& kind, const std::string& page, const std::string& output)
{
    const auto application = applicationFor(kind);
    if (const auto error = exportPage(
            kind, page, [&output] { return QFile::decodeName(output.c_str()); }, false)) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return 1;
    }
    return 0;
}

int exportMany(const PaperExport& kind, const QDir& folder, const std::vector<std::string>& pages)
{
    const auto application = applicationFor(kind);
    const OutputPlan plan(pages, [&](const std::string& page) {
        return folder.filePath(QFileInfo(QFile::decodeName(page.c_str())).completeBaseName() + kind.suffix);
    });
    bool anyFailed = false;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        if (const auto error = exportPage(
                kind, pages[index], [&] { return plan.outputFor(index); }, true)) {
            std::fprintf(stderr, "%s\n", error->c_str());
            anyFailed = true;
        }
    }
    return anyFailed ? 1 : 0;
}

int runExport(const PaperExport& kind, const std::vector<std::string>& args)
{
    if (args.size() >= 3 && args[0] == "--to")
        return exportMany(kind, QDir(QFile::decodeName(args[1].c_str())), {args.begin() + 2, args.end()});
    if (args.size() == 2 && args[0] != "--to")
        return exportOne(kind, args[0], args[1]);
    return usage(kind);
}

} // namespace

int runPdfCommand(const std::vector<std::string>& args)
{
    return runExport(pdfExport, args);
}

int runCsvCommand(const std::vector<std::string>& args)
{
    return runExport(csvExport, args);
}
