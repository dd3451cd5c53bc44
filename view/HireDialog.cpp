#include "HireDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

HireDialog::HireDialog(const QString& race, const std::vector<PositionOffer>& offers,
                       const HireChoice& preset, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Hire Player"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Position of the new %1 player:").arg(race), this);
    layout->addWidget(label);

    m_positions = new QTreeWidget(this);
    m_positions->setObjectName(QStringLiteral("HirePositions"));
    m_positions->setRootIsDecorated(false);
    m_positions->setHeaderLabels({QStringLiteral("Position"), QStringLiteral("Cost"), QStringLiteral("MA"),
                                  QStringLiteral("ST"), QStringLiteral("AG"), QStringLiteral("AV"),
                                  QStringLiteral("Skills"), QStringLiteral("Left")});
    for (const PositionOffer& offer : offers) {
        const PositionRules& position = *offer.position;
        QStringList texts{position.title, moneyTextLike(position.cost)};
        for (const int value : position.profile)
            texts.append(QString::number(value));
        texts.append(position.startingSkills.join(QStringLiteral(", ")));
        texts.append(QStringLiteral("%1 of %2").arg(offer.left()).arg(position.most));
        auto* row = new QTreeWidgetItem(m_positions, texts);
        row->setDisabled(offer.left() == 0);
    }
    for (int col = 0; col < m_positions->columnCount(); ++col)
        m_positions->resizeColumnToContents(col);
    label->setBuddy(m_positions);
    layout->addWidget(m_positions);

    m_pay = new QCheckBox(QStringLiteral("Pay from &treasury"), this);
    m_pay->setObjectName(QStringLiteral("PayFromTreasury"));
    m_pay->setChecked(preset.payFromTreasury);
    layout->addWidget(m_pay);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_hire = buttons->addButton(QStringLiteral("&Hire"), QDialogButtonBox::AcceptRole);
    m_hire->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_positions, &QTreeWidget::currentItemChanged, this, [this] { followSelection(); });
    connect(m_positions, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->isDisabled())
            accept();
    });
    // The preset position, or the first that may still be hired.
    QTreeWidgetItem* current = m_positions->topLevelItem(preset.offer);
    for (int i = 0; (!current || current->isDisabled()) && i < m_positions->topLevelItemCount(); ++i)
        current = m_positions->topLevelItem(i);
    if (current && !current->isDisabled())
        m_positions->setCurrentItem(current);
    followSelection();
    resize(m_positions->header()->length() + 48, sizeHint().height());
}

void HireDialog::followSelection()
{
    const QTreeWidgetItem* current = m_positions->currentItem();
    m_hire->setEnabled(current && !current->isDisabled());
}

HireChoice HireDialog::choice() const
{
    return {m_positions->indexOfTopLevelItem(m_positions->currentItem()), m_pay->isChecked()};
}
