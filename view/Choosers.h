#pragma once

#include "TTeam.h"

#include <QFont>
#include <QString>

#include <memory>

class QWidget;

// A font together with its colour: the platform's font chooser has no colour.
struct FontChoice
{
    QFont font;
    TColor color = 0;
};

// The common dialogs behind a seam, so that tests can script them.
class Choosers
{
public:
    virtual ~Choosers() = default;
    // Each runs its chooser preset with value; returns true when the user confirmed,
    // and then value holds the choice. A cancel leaves value as it was.
    virtual bool chooseColor(QWidget* parent, TColor& value) = 0;
    virtual bool chooseFont(QWidget* parent, FontChoice& value) = 0;
    // File choosers with the filters "HTML files (*.htm, *.html)" and "All files (*.*)",
    // default extension "htm". path is preset with the last chosen name.
    virtual bool chooseOpenFile(QWidget* parent, QString& path) = 0;
    virtual bool chooseSaveFile(QWidget* parent, QString& path) = 0;

    enum class SaveAnswer
    {
        Save,
        Discard,
        Cancel
    };
    // "Save changes to <name>?" with Save, Discard and Cancel, before changes
    // would be lost.
    virtual SaveAnswer askToSaveChanges(QWidget* parent, const QString& name) = 0;
};

// The standard Qt dialogs unless replaced.
Choosers& choosers();
// Tests script the dialogs with a replacement; nullptr restores the standard ones.
void setChoosers(std::unique_ptr<Choosers> replacement);
