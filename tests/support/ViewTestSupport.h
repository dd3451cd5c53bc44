#pragma once

#include "Choosers.h"
#include "TForm_Parse.h"
#include "TTeamView.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLineEdit;
class StringGrid;

// The editor's own application object, made once for all tests.
void ensureApplication();

// Choosers that answer from a script and remember what they were preset with.
// An empty answer cancels.
class ScriptedChoosers : public Choosers
{
public:
    bool chooseColor(QWidget* parent, const QString& title, TColor& value) override;
    bool chooseFont(QWidget* parent, const QString& title, FontChoice& value) override;
    bool chooseOpenFile(QWidget* parent, QString& path) override;
    bool chooseSaveFile(QWidget* parent, QString& path) override;
    bool confirmSaveAnyway(QWidget* parent, const QString& question) override;
    bool confirmImport(QWidget* parent, const QString& question) override;
    bool chooseExportFile(QWidget* parent, QString& path, const ExportFileKind& kind) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    // Answers with rulesFileAnswer; none cancels.
    bool chooseRulesFile(QWidget* parent, QString& path) override;
    // Answers with saveAnswer, or Discard when the script has none, so that
    // tests about other things go on as before.
    SaveAnswer askToSaveChanges(QWidget* parent, const QString& name) override;

    std::optional<TColor> colorAnswer;
    std::optional<FontChoice> fontAnswer;
    std::optional<QString> fileAnswer;
    std::vector<TColor> colorPresets;
    std::vector<FontChoice> fontPresets;
    std::vector<QString> filePresets;
    bool saveAnywayAnswer = false; // Cancel unless a test says otherwise
    QStringList saveAnywayQuestions;
    bool importAnswer = false; // Cancel unless a test says otherwise
    QStringList importQuestions;
    std::vector<QString> titles; // of the colour and font choosers, in the order they ran
    std::vector<QString> exportSuffixes;
    std::vector<QString> exportTitles;
    // Answers the print dialog; no answer cancels it.
    std::function<bool(QPrinter&)> printerAnswer;
    std::optional<SaveAnswer> saveAnswer;
    std::vector<QString> saveQuestions; // the names asked about
    std::optional<QString> rulesFileAnswer;
    std::vector<QString> rulesFilePresets;

    // Hire Player chooses the position titled hireAnswer (no answer cancels)
    // and pays when payAnswer says so.
    bool chooseHire(QWidget* parent, const QString& race, const std::vector<PositionOffer>& offers,
                    HireChoice& choice) override;
    // Add Skill chooses skillAnswer; no answer cancels.
    bool chooseSkill(QWidget* parent, const QString& player, const SkillChoice& open,
                     QString& skill) override;
    bool confirmFire(QWidget* parent, const QString& question) override;

    std::optional<QString> hireAnswer;
    bool payAnswer = false;
    std::vector<QStringList> hireOffers; // each dialog's offers as the position picker shows them
    std::vector<bool> payPresets;
    std::optional<QString> skillAnswer;
    std::vector<SkillChoice> skillOffers;
    QStringList skillPlayers;
    bool fireAnswer = false; // Cancel unless a test says otherwise
    QStringList fireQuestions;
};

// A main window with its page source dialog, started in a folder of its own
// and shown on the offscreen screen; the choosers are scripted.
class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The cell's colour at its bottom-right corner, where no text is drawn.
    QColor fillOf(StringGrid* grid, int col, int row);
    QImage imageOf(StringGrid* grid);
    // Opens the cell's in-place editor, its text selected; null when none opened.
    QLineEdit* openEditor(StringGrid* grid, int col, int row);
    // Types text over a cell's text with the grid's in-place editor, key by
    // key, and leaves the cell with Return.
    void typeInto(StringGrid* grid, int col, int row, const QString& text);
    // The tooltip a cell shows; empty when it shows none.
    static QString toolTipOf(StringGrid* grid, int col, int row);
    // Error reports go to m_reports instead of a message box until the test ends.
    void collectReports();

    QTemporaryDir m_folder;
    // The desktop's configuration folder, of this test alone.
    QTemporaryDir m_config;
    QString m_previousFolder;
    std::unique_ptr<TTeamView> m_view;
    std::unique_ptr<TForm_Parse> m_dialog;
    ScriptedChoosers* m_choosers = nullptr;
    QStringList m_reports;
};
