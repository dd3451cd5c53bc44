#pragma once

#include "RosterPaper.h"
#include "RosterSheet.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

struct ExportFileKind;
class QAction;
class QMenu;
class QWidget;

// The File menu's paper commands: Print..., Print Preview, Export PDF...,
// Export Players as CSV..., and the switches for paper: black and white, and
// the findings list after the roster (Print with Findings). Each
// takes the roster as the window shows it at that moment, edits included,
// and saves nothing.
class PaperMenu : public QObject
{
    Q_OBJECT
public:
    using RosterSource = std::function<const RosterSheet&()>;
    using FindingsSource = std::function<PaperFindings()>;

    // Adds the commands to menu before the item before; window parents the dialogs.
    PaperMenu(QMenu* menu, QAction* before, QWidget* window, RosterSource roster);

    void setEnabled(bool enabled);
    // Where Print with Findings takes its list; without one it prints none.
    void setFindingsSource(FindingsSource findings) { m_findings = std::move(findings); }

    void print();
    void printPreview();
    void exportPdf();
    void exportCsv();

private:
    // Runs the export chooser starting from lastName, which keeps the choice.
    std::optional<QString> chooseExportName(QString& lastName, const ExportFileKind& kind);
    // The roster's team name as a file in the working folder.
    static QString proposedName(const RosterSheet& roster, const QString& suffix);
    // The switches' choices; the print dialog may change the colour mode yet.
    PaperOptions chosenOptions() const;
    QAction* addCommand(QMenu* menu, QAction* before, const QString& name, const QString& text,
                        void (PaperMenu::*command)());

    QWidget* m_window;
    RosterSource m_roster;
    FindingsSource m_findings;
    QAction* m_print;
    QAction* m_printPreview;
    QAction* m_exportPdf;
    QAction* m_exportCsv;
    QAction* m_blackAndWhite;
    QAction* m_withFindings;
    // Each export chooser starts from the name chosen last.
    QString m_lastPdfName;
    QString m_lastCsvName;
};
