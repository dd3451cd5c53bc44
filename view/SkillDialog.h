#pragma once

#include "LeagueRules.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// Add Skill...: the skills a player may take, the normal ones under one
// heading and those that need a double under another.
class SkillDialog : public QDialog
{
    Q_OBJECT
public:
    SkillDialog(const QString& player, const SkillChoice& open, QWidget* parent = nullptr);

    // The skill chosen; empty while a heading or nothing is current.
    QString skill() const;

private:
    void addGroup(const QString& heading, const QStringList& skills);

    QListWidget* m_skills;
    QPushButton* m_add;
};
