#pragma once

#include "Choosers.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTreeWidget;

// Team, Hire Player...: the race's positions, one row each with cost,
// profile, starting skills and how many more may be hired; positions at
// their limit are shown but cannot be chosen. A check box pays the cost from
// the treasury.
class HireDialog : public QDialog
{
    Q_OBJECT
public:
    HireDialog(const QString& race, const std::vector<PositionOffer>& offers, const HireChoice& preset,
               QWidget* parent = nullptr);

    // Valid once the dialog was accepted.
    HireChoice choice() const;

private:
    void followSelection();

    QTreeWidget* m_positions;
    QCheckBox* m_pay;
    QPushButton* m_hire;
};
