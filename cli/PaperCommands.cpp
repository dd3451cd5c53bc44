#include "PaperCommands.h"

#include "Errors.h"
#include "OutputPlan.h"
#include "PageBatch.h"
#include "PageStore.h"
#include "RosterCsv.h"
#include "RosterPaper.h"
#include "RosterPdfBatch.h"
#include "SheetBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace {

// What the window shows of the page, as File, Open would show it.
RosterSheet sheetOfPage(const std::string& path)
{
    const ReadPage page = readPageFile(path);
    return buildSheet(page.team, page.matchRecord, page.encoding);
}

// Takes each page's failure line, or nothing for a page stored, in page order.
using FailureReport = std::function<void(const std::optional<std::string>& failure)>;

struct PaperExport
{
    const char* name;
    const char* suffix;
    void (*store)(const RosterSheet& sheet, const QString& fileName);
    bool needsFonts; // and so an application object
    // Stores the pages to the outputs of the plan, when storing them together
    // beats one at a time.
    void (*storeMany)(const std::vector<std::string>& pages, const OutputPlan& plan,
                      const FailureReport& report);
};

void storePdf(const RosterSheet& sheet, const QString& fileName)
{
    storeRosterPdf(sheet, PaperOptions{}, fileName);
}

// Pages printed together share the fonts their PDF documents embed, which
// takes about as long as printing a few pages. A batch holds enough pages
// that embedding stays a small share on a machine of many processors, and
// few enough that little is held in memory.
constexpr std::size_t leastPdfsPerBatch = 8;
constexpr std::size_t mostPdfsPerBatch = 32;

// A page of a batch: its PDF and where it goes, or the line its failure is
// reported with.
struct PrintedPage
{
    QByteArray pdf;
    QString output;
    std::optional<std::string> failure;
};

// Prints the pages from first up to end as one batch.
std::vector<PrintedPage> printPdfBatch(const std::vector<std::string>& pages, std::size_t first,
                                       std::size_t end, const OutputPlan& plan)
{
    std::vector<PrintedPage> printed(end - first);
    RosterPdfBatch batch;
    std::vector<std::size_t> added; // indexes into printed, in the batch's order
    for (std::size_t index = first; index < end; ++index) {
        PrintedPage& page = printed[index - first];
        try {
            page.output = plan.outputFor(index);
            batch.add(RosterPaper(sheetOfPage(pages[index])));
            added.push_back(index - first);
        } catch (const TeamEditorError& error) {
            page.failure = pageFailureLine(pages[index], error, true);
        }
    }
    try {
        std::vector<QByteArray> documents = batch.take();
        for (std::size_t i = 0; i < added.size(); ++i)
            printed[added[i]].pdf = std::move(documents[i]);
    } catch (const TeamEditorError& error) {
        for (const std::size_t i : added)
            printed[i].failure = pageFailureLine(pages[first + i], error, true);
    }
    return printed;
}

// Deletes a thread once it has finished.
struct FinishedThread
{
    void operator()(QThread* thread) const
    {
        thread->wait();
        delete thread;
    }
};

// The batches are printed on as many threads as the machine runs at once,
// each batch wholly on one thread, as Qt's text documents and PDF writers
// keep to the thread that made them. Each thread has about two batches to
// print, so that the threads finish about together. The pages are stored and
// reported here, in page order, each batch once it and those before it are
// printed.
void storePdfs(const std::vector<std::string>& pages, const OutputPlan& plan, const FailureReport& report)
{
    const auto threads = static_cast<std::size_t>(std::max(1, QThread::idealThreadCount()));
    constexpr std::size_t batchesAThread = 2;
    const std::size_t perBatch =
        std::clamp<std::size_t>((pages.size() + threads * batchesAThread - 1) / (threads * batchesAThread),
                                leastPdfsPerBatch, mostPdfsPerBatch);
    const std::size_t batches = (pages.size() + perBatch - 1) / perBatch;
    std::vector<std::promise<std::vector<PrintedPage>>> printing(batches);
    std::vector<std::future<std::vector<PrintedPage>>> printed;
    for (auto& batch : printing)
        printed.push_back(batch.get_future());
    std::atomic<std::size_t> next = 0;
    const auto printBatches = [&] {
        for (std::size_t batch; (batch = next++) < batches;) {
            try {
                const std::size_t first = batch * perBatch;
                printing[batch].set_value(
                    printPdfBatch(pages, first, std::min(first + perBatch, pages.size()), plan));
            } catch (...) {
                printing[batch].set_exception(std::current_exception());
            }
        }
    };
    // Qt's threads, as its text layout starts timers, which need a thread's
    // event dispatcher (though they never fire here).
    std::vector<std::unique_ptr<QThread, FinishedThread>> printers;
    for (std::size_t i = 0; i < std::min(threads, batches); ++i) {
        printers.emplace_back(QThread::create(printBatches));
        printers.back()->start();
    }
    for (std::size_t batch = 0; batch < batches; ++batch) {
        std::vector<PrintedPage> batchPages = printed[batch].get();
        for (std::size_t i = 0; i < batchPages.size(); ++i) {
            PrintedPage& page = batchPages[i];
            if (!page.failure) {
                try {
                    storeFile(
                        std::string_view(page.pdf.constData(), static_cast<std::size_t>(page.pdf.size())),
                        page.output);
                } catch (const TeamEditorError& error) {
                    page.failure = pageFailureLine(pages[batch * perBatch + i], error, true);
                }
            }
            report(page.failure);
        }
    }
}

const PaperExport pdfExport{"pdf", ".pdf", storePdf, true, storePdfs};
const PaperExport csvExport{"csv", ".csv", storeRosterCsv, false, nullptr};

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
    const OutputPlan plan({page},
                          [&output](const std::string&) { return QFile::decodeName(output.c_str()); });
    if (const auto error = exportPage(
            kind, page, [&plan] { return plan.outputFor(0); }, false)) {
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
    const auto report = [&](const std::optional<std::string>& error) {
        if (error) {
            std::fprintf(stderr, "%s\n", error->c_str());
            anyFailed = true;
        }
    };
    if (kind.storeMany) {
        kind.storeMany(pages, plan, report);
    } else {
        for (std::size_t index = 0; index < pages.size(); ++index)
            report(exportPage(
                kind, pages[index], [&] { return plan.outputFor(index); }, true));
    }
    return anyFailed ? 1 : 0;
}

int runExport(const PaperExport& kind, const std::vector<std::string>& args)
{
    if (args.size() >= 3 && args[0] == "--to")
        return exportMany(kind, QDir(QFile::decodeName(args[1].c_str())), {args.begin() + 2, args.end()});
    // "IN --to" is the folder form gone wrong, not a file to store as "--to".
    if (args.size() == 2 && args[0] != "--to" && args[1] != "--to")
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
