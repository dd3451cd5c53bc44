#include "SkillDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Skill entries carry their name here; headings carry none.
constexpr int SkillRole = Qt::UserRole;

} // namespace

SkillDialog::SkillDialog(const QString& player, const SkillChoice& open, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add Skill"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Skill for %1:").arg(player), this);
    layout->addWidget(label);
    m_skills = new QListWidget(this);
    m_skills->setObjectName(QStringLiteral("SkillList"));
    label->setBuddy(m_skills);
    addGroup(QStringLiteral("Normal skills"), open.normal);
    addGroup(QStringLiteral("On a double"), open.onDouble);
    layout->addWidget(m_skills);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_add = buttons->addButton(QStringLiteral("&Add"), QDialogButtonBox::AcceptRole);
    m_add->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_skills, &QListWidget::currentItemChanged, this,
            [this] { m_add->setEnabled(!skill().isEmpty()); });
    connect(m_skills, &QListWidget::itemDoubleClicked, this, [this] {
        if (!skill().isEmpty())
            accept();
    });
    m_add->setEnabled(false);
}

void SkillDialog::addGroup(const QString& heading, const QStringList& skills)
{
    if (skills.isEmpty())
        return;
    auto* title = new QListWidgetItem(heading, m_skills);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setFlags(Qt::ItemIsEnabled);
    for (const QString& name : skills) {
        auto* entry = new QListWidgetItem(QStringLiteral("    ") + name, m_skills);
        entry->setData(SkillRole, name);
    }
}

QString SkillDialog::skill() const
{
    const QListWidgetItem* current = m_skills->currentItem();
    return current ? current->data(SkillRole).toString() : QString();
}
