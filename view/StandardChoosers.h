#pragma once

#include "Choosers.h"

// The common dialogs the editor shows to its user.
class StandardChoosers : public Choosers
{
public:
    bool chooseColor(QWidget* parent, TColor& value) override;
    bool chooseFont(QWidget* parent, FontChoice& value) override;
    bool chooseOpenFile(QWidget* parent, QString& path) override;
    bool chooseSaveFile(QWidget* parent, QString& path) override;
    SaveAnswer askToSaveChanges(QWidget* parent, const QString& name) override;
};
