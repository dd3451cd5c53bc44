#pragma once

#include "RosterOffers.h"
#include "TTeam.h"

#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QPrinter;
class QWidget;

// A kind of file the roster is exported to: the chooser's filter and the
// extension added to a name given without one.
struct ExportFileKind
{
    QString description; // "PDF files"
    QString suffix;      // "pdf"
    QString title;       // "Export PDF", the chooser's title
};

// A font together with its colour: the platform's font chooser has no colour.
struct FontChoice
{
    QFont font;
    TColor color = 0;
};

// What the Hire Player dialog chose: the offer's index and whether the
// treasury pays.
struct HireChoice
{
    int offer = 0;
    bool payFromTreasury = false;
};

// The common dialogs behind a seam, so that tests can script them.
class Choosers
{
public:
    virtual ~Choosers() = default;
    // Each runs its chooser, titled with what it changes, preset with value;
    // returns true when the user confirmed, and then value holds the choice.
    // A cancel leaves value as it was.
    virtual bool chooseColor(QWidget* parent, const QString& title, TColor& value) = 0;
    virtual bool chooseFont(QWidget* parent, const QString& title, FontChoice& value) = 0;
    // File choosers with the filters "HTML files (*.htm, *.html)" and "All files (*.*)",
    // default extension "htm". path is preset with the last chosen name.
    virtual bool chooseOpenFile(QWidget* parent, QString& path) = 0;
    virtual bool chooseSaveFile(QWidget* parent, QString& path) = 0;
    // Asks the question with the answers "Save anyway" and "Cancel"; true for
    // "Save anyway".
    virtual bool confirmSaveAnyway(QWidget* parent, const QString& question) = 0;
    // The same with the answers "Import" and "Cancel"; true for "Import".
    virtual bool confirmImport(QWidget* parent, const QString& question) = 0;
    // A save-file chooser for an export: filters for the kind and all files,
    // the kind's default extension; path is preset with the last chosen name.
    virtual bool chooseExportFile(QWidget* parent, QString& path, const ExportFileKind& kind) = 0;
    // The platform's print dialog for printer; true when the user chose to print.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // An open-file chooser for a league rules file (JSON); path is preset with
    // the file loaded last.
    virtual bool chooseRulesFile(QWidget* parent, QString& path) = 0;

    enum class SaveAnswer
    {
        Save,
        Discard,
        Cancel
    };
    // "Save changes to <name>?" with Save, Discard and Cancel, before changes
    // would be lost.
    virtual SaveAnswer askToSaveChanges(QWidget* parent, const QString& name) = 0;

    // Hire Player: the race's positions with cost, profile, starting skills
    // and how many more may be hired, those at their limit not to be chosen,
    // and whether to pay from the treasury. choice is preset.
    virtual bool chooseHire(QWidget* parent, const QString& race, const std::vector<PositionOffer>& offers,
                            HireChoice& choice) = 0;
    // Add Skill: the skills open to the player named, normal and double
    // apart; skill holds the one chosen.
    virtual bool chooseSkill(QWidget* parent, const QString& player, const SkillChoice& open,
                             QString& skill) = 0;
    // Asks the question with the answers "Fire" and "Cancel"; true for "Fire".
    virtual bool confirmFire(QWidget* parent, const QString& question) = 0;
};

// The standard Qt dialogs unless replaced.
Choosers& choosers();
// Tests script the dialogs with a replacement; nullptr restores the standard ones.
void setChoosers(std::unique_ptr<Choosers> replacement);
