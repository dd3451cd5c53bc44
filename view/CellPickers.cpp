#include "CellPickers.h"

#include "ActiveRules.h"
#include "EditHistory.h"
#include "RosterOffers.h"
#include "StringGrid.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QStandardItemModel>
#include <QStringListModel>

#include <algorithm>

namespace {

// The picker's entries are matched and completed by this role; they show
// their display text.
constexpr int CompletionRole = Qt::UserRole;

// Completes the skill being typed after the last comma or semicolon and keeps
// the skills before it.
class SkillCompleter : public QCompleter
{
public:
    using QCompleter::QCompleter;

    QStringList splitPath(const QString& path) const override
    {
        return {path.sliced(listedLength(path)).trimmed()};
    }

    QString pathFromIndex(const QModelIndex& index) const override
    {
        const QString typed = completionPrefix();
        const qsizetype listed = listedLength(typed);
        const QString skill = QCompleter::pathFromIndex(index);
        return listed == 0 ? skill : typed.first(listed) + QLatin1Char(' ') + skill;
    }

private:
    // How much of text lists the skills before the one being typed.
    static qsizetype listedLength(const QString& text)
    {
        const qsizetype separator =
            std::max(text.lastIndexOf(QLatin1Char(',')), text.lastIndexOf(QLatin1Char(';')));
        return separator + 1;
    }
};

// Alt+Down or F4 opens the picker's list for what the cell holds, all of it
// in an empty cell, as a drop-down list does.
class ListOpener : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool opens =
            key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier);
        auto* editor = qobject_cast<QLineEdit*>(watched);
        if (!opens || !editor || !editor->completer())
            return false;
        editor->completer()->setCompletionPrefix(editor->text());
        editor->completer()->complete();
        return true;
    }
};

// A popup picker that matches what is typed at the start of an entry, in
// any case; the entries are filtered by the completer only, so typing costs
// no more than that.
void attach(QCompleter* completer, QLineEdit* editor)
{
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    editor->setCompleter(completer);
    editor->installEventFilter(new ListOpener(editor));
}

// What is picked is in the editor and the cell at once, as typed text would
// be. The line edit takes a pick itself only once it has had the focus.
void storePicks(QCompleter* completer, QLineEdit* editor, StringGrid* grid, const QModelIndex& index)
{
    const QPersistentModelIndex cell(index);
    QObject::connect(completer, qOverload<const QString&>(&QCompleter::activated), editor,
                     [grid, cell, editor](const QString& picked) {
                         editor->setText(picked);
                         if (cell.isValid())
                             grid->editorTextEdited(cell, picked);
                     });
}

} // namespace

CellPickers::CellPickers(const ActiveRules& rules, EditHistory& history, StringGrid* players,
                         StringGrid* details, QObject* parent)
    : QObject(parent), m_rules(rules), m_history(history), m_players(players), m_details(details)
{
    m_players->setEditorSetup(
        [this](QLineEdit* editor, const QModelIndex& index) { setUpPlayerEditor(editor, index); });
    m_details->setEditorSetup(
        [this](QLineEdit* editor, const QModelIndex& index) { setUpDetailsEditor(editor, index); });
}

void CellPickers::setUpDetailsEditor(QLineEdit* editor, const QModelIndex& index)
{
    const LeagueRules* rules = m_rules.rules();
    if (!rules || index.column() != DetailsRows::ValueCol || index.row() != DetailsRows::Race)
        return;
    QStringList races;
    for (const RaceRules& race : rules->races)
        races.append(race.name);
    auto* completer = new QCompleter(races, editor);
    attach(completer, editor);
    storePicks(completer, editor, m_details, index);
}

void CellPickers::setUpPlayerEditor(QLineEdit* editor, const QModelIndex& index)
{
    if (!m_rules.rules() || index.row() < 1 || index.row() > RosterPlayerCount)
        return;
    if (index.column() == RosterCols::Position)
        offerPositions(editor, index.row());
    else if (index.column() == RosterCols::Skills)
        offerSkills(editor, index);
}

void CellPickers::offerPositions(QLineEdit* editor, int slot)
{
    const RaceRules* race = m_rules.rules()->findRace(raceOf(m_players->sheet()));
    if (!race)
        return;
    // The counts are those of the moment the editor opens: typing in the
    // cell changes no other slot.
    auto* entries = new QStandardItemModel(editor);
    for (const PositionOffer& offer : positionOffers(*race, m_players->sheet(), slot)) {
        auto* entry = new QStandardItem(positionOfferText(offer));
        entry->setData(offer.position->title, CompletionRole);
        entry->setEditable(false);
        entries->appendRow(entry);
    }
    auto* completer = new QCompleter(entries, editor);
    completer->setCompletionRole(CompletionRole);
    attach(completer, editor);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this, slot](const QString& title) { choosePosition(slot, title); });
}

void CellPickers::offerSkills(QLineEdit* editor, const QModelIndex& index)
{
    QStringList skills;
    for (const SkillRules& skill : m_rules.rules()->skills)
        skills.append(skill.name);
    auto* completer = new SkillCompleter(new QStringListModel(skills, editor), editor);
    attach(completer, editor);
    storePicks(completer, editor, m_players, index);
}

void CellPickers::choosePosition(int slot, const QString& title)
{
    const LeagueRules* rules = m_rules.rules();
    const RaceRules* race = rules ? rules->findRace(raceOf(m_players->sheet())) : nullptr;
    const PositionRules* position = race ? race->findPosition(title) : nullptr;
    if (!position)
        return;
    // What was typed before the choice stays a step of its own.
    m_history.endTyping();
    m_history.asOneStep(QStringLiteral("Choose Position"), [&] {
        const RosterSheet& sheet = m_players->sheet();
        if (!hasNoProfile(sheet, slot)) {
            m_players->setCell(RosterCols::Position, slot, position->title);
            return;
        }
        const PlayerCells cells = newPlayerCells(*position, moneyLookOf(sheet));
        // The statistics and injuries typed already stay.
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i].isEmpty())
                m_players->setCell(RosterCols::Position + int(i), slot, cells[i]);
        }
    });
}
