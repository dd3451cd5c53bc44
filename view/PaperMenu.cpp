#include "PaperMenu.h"

#include "Choosers.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "RosterCsv.h"
#include "RosterPaper.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>

PaperMenu::PaperMenu(QMenu* menu, QAction* before, QWidget* window, RosterSource roster)
    : QObject(window), m_window(window), m_roster(std::move(roster))
{
    m_print =
        addCommand(menu, before, QStringLiteral("Print1"), QStringLiteral("&Print..."), &PaperMenu::print);
    m_print->setShortcut(QKeySequence::Print);
    m_printPreview = addCommand(menu, before, QStringLiteral("PrintPreview1"),
                                QStringLiteral("Print Pre&view"), &PaperMenu::printPreview);
    m_blackAndWhite = new QAction(QStringLiteral("Print in &Black and White"), this);
    m_blackAndWhite->setObjectName(QStringLiteral("BlackAndWhite1"));
    m_blackAndWhite->setCheckable(true);
    menu->insertAction(before, m_blackAndWhite);
    // For the league admin's copy; kept for the run.
    m_withFindings = new QAction(QStringLiteral("Print &with Findings"), this);
    m_withFindings->setObjectName(QStringLiteral("PrintWithFindings1"));
    m_withFindings->setCheckable(true);
    menu->insertAction(before, m_withFindings);
    m_exportPdf = addCommand(menu, before, QStringLiteral("ExportPdf1"), QStringLiteral("Export P&DF..."),
                             &PaperMenu::exportPdf);
    m_exportCsv = addCommand(menu, before, QStringLiteral("ExportCsv1"),
                             QStringLiteral("Export Players as &CSV..."), &PaperMenu::exportCsv);
    menu->insertSeparator(before);
    setEnabled(false);
}

QAction* PaperMenu::addCommand(QMenu* menu, QAction* before, const QString& name, const QString& text,
                               void (PaperMenu::*command)())
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, guarded([this, command] { (this->*command)(); }));
    menu->insertAction(before, action);
    return action;
}

void PaperMenu::setEnabled(bool enabled)
{
    for (QAction* action :
         {m_print, m_printPreview, m_blackAndWhite, m_withFindings, m_exportPdf, m_exportCsv})
        action->setEnabled(enabled);
}

PaperOptions PaperMenu::chosenOptions() const
{
    PaperOptions options;
    options.blackAndWhite = m_blackAndWhite->isChecked();
    if (m_withFindings->isChecked() && m_findings)
        options.findings = m_findings();
    return options;
}

void PaperMenu::print()
{
    // A copy: the roster as it is now, whatever happens while a dialog is open.
    const RosterSheet roster(m_roster());
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(roster.cell(SheetGrid::Details, 1, 0));
    printer.setColorMode(m_blackAndWhite->isChecked() ? QPrinter::GrayScale : QPrinter::Color);
    if (!choosers().choosePrinter(m_window, printer))
        return;
    // The paper and the colour mode chosen in the dialog win.
    PaperOptions options = chosenOptions();
    options.pageSize = printer.pageLayout().pageSize();
    options.blackAndWhite = printer.colorMode() == QPrinter::GrayScale;
    if (!RosterPaper(roster, options).print(printer))
        throw EFileError("Cannot print to " + printer.printerName().toStdString());
}

void PaperMenu::printPreview()
{
    // A copy: the roster as it is now, whatever happens while a dialog is open.
    const RosterSheet roster(m_roster());
    const PaperOptions options = chosenOptions();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(roster.cell(SheetGrid::Details, 1, 0));
    printer.setPageLayout(RosterPaper(roster, options).pageLayout());
    QPrintPreviewDialog dialog(&printer, m_window);
    // The preview paints again when the user picks other paper in it.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        PaperOptions chosen = options;
        chosen.pageSize = target->pageLayout().pageSize();
        RosterPaper(roster, chosen).print(*target);
    });
    // Large enough to show the whole sheet, within the screen it opens on.
    if (const QScreen* screen = m_window->screen()) {
        const QRect room = screen->availableGeometry();
        dialog.resize(room.width() * 4 / 5, room.height() * 9 / 10);
    }
    dialog.exec();
}

void PaperMenu::exportPdf()
{
    const RosterSheet roster(m_roster());
    const std::optional<QString> fileName = chooseExportName(
        m_lastPdfName, {QStringLiteral("PDF files"), QStringLiteral("pdf"), QStringLiteral("Export PDF")});
    if (!fileName)
        return;
    storeRosterPdf(roster, chosenOptions(), *fileName);
}

void PaperMenu::exportCsv()
{
    const RosterSheet roster(m_roster());
    if (const auto fileName =
            chooseExportName(m_lastCsvName, {QStringLiteral("CSV files"), QStringLiteral("csv"),
                                             QStringLiteral("Export Players as CSV")}))
        storeRosterCsv(roster, *fileName);
}

QString PaperMenu::proposedName(const RosterSheet& roster, const QString& suffix)
{
    QString name = roster.cell(SheetGrid::Details, 1, 0).simplified();
    // Characters no desktop takes in a file name.
    name.remove(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name = QStringLiteral("roster");
    return QDir::current().filePath(name + QLatin1Char('.') + suffix);
}

std::optional<QString> PaperMenu::chooseExportName(QString& lastName, const ExportFileKind& kind)
{
    // The first export of a session proposes the roster's name.
    QString fileName = lastName.isEmpty() ? proposedName(m_roster(), kind.suffix) : lastName;
    if (!choosers().chooseExportFile(m_window, fileName, kind))
        return std::nullopt;
    lastName = fileName;
    return fileName;
}
