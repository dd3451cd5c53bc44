#pragma once

#include "RosterSheet.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <vector>

// The edits of the shown roster as undo steps, and whether the roster differs
// from the one last read, created or saved. It listens to the sheet: cell
// edits, colour and font choices and match column moves become steps, and the
// cell edits of one spell of typing in one cell become a single step. Undo and
// redo put the old or new values back through the sheet's own methods.
class EditHistory : public QObject
{
    Q_OBJECT
public:
    explicit EditHistory(RosterSheet& sheet, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& stack() { return m_stack; }
    bool isModified() const { return !m_stack.isClean(); }

    // A roster was read or created: nothing to undo, nothing changed.
    void startClean();
    // The roster was saved as it stands now.
    void markSaved();
    // The typing in a cell has ended: the next edit of it is a step of its own.
    void endTyping();
    // The changes edits makes, and the follow-ups they cause, become one step
    // named name (a paste, a row moved), undone and redone as a whole.
    void asOneStep(const QString& name, const std::function<void()>& edits);

signals:
    void modifiedChanged(bool modified);

private:
    class Step;

    void sheetChanged(const SheetChange& change);
    // Emits modifiedChanged when the state differs from the one told last.
    void tellModified();
    void apply(const std::vector<SheetChange>& changes, bool backwards);
    // The step on top of the stack, unless it is the saved state's own.
    Step* topStep() const;
    // The top step while typing may still add to it.
    Step* openStep() const;

    RosterSheet& m_sheet;
    int m_observer = 0;
    QUndoStack m_stack;
    bool m_typing = false;
    // While asOneStep runs: its name, and its step once the first change came.
    std::optional<QString> m_groupName;
    Step* m_group = nullptr;
    bool m_toldModified = false;
};
