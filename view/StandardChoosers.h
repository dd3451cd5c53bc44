#pragma once

#include "Choosers.h"

// The common dialogs the editor shows to its user.
class StandardChoosers : public Choosers
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
    bool chooseRulesFile(QWidget* parent, QString& path) override;
    SaveAnswer askToSaveChanges(QWidget* parent, const QString& name) override;
    bool chooseHire(QWidget* parent, const QString& race, const std::vector<PositionOffer>& offers,
                    HireChoice& choice) override;
    bool chooseSkill(QWidget* parent, const QString& player, const SkillChoice& open,
                     QString& skill) override;
    bool confirmFire(QWidget* parent, const QString& question) override;
};
