#pragma once

#include <QObject>

class ActiveRules;
class EditHistory;
class QLineEdit;
class QModelIndex;
class StringGrid;

// While league rules are loaded, the in-place editors of the Race, Position
// and Skills cells offer what the rules know: the races, the race's
// positions with their cost and how many are left ("Runner, 80k, 1 of 2
// left"), and the skill names, completing the word after the last comma. The
// cells still take any text. Choosing a position for a slot without a
// profile fills in the position's profile, starting skills and cost as one
// undo step, with the totals that follow it.
class CellPickers : public QObject
{
    Q_OBJECT
public:
    CellPickers(const ActiveRules& rules, EditHistory& history, StringGrid* players, StringGrid* details,
                QObject* parent);

    // What picking the position titled title in slot's Position cell does.
    void choosePosition(int slot, const QString& title);

private:
    void setUpPlayerEditor(QLineEdit* editor, const QModelIndex& index);
    void setUpDetailsEditor(QLineEdit* editor, const QModelIndex& index);
    void offerPositions(QLineEdit* editor, int slot);
    void offerSkills(QLineEdit* editor, const QModelIndex& index);

    const ActiveRules& m_rules;
    EditHistory& m_history;
    StringGrid* m_players;
    StringGrid* m_details;
};
