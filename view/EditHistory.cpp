#include "EditHistory.h"

// One undo step: the sheet changes it is made of, in the order they happened.
class EditHistory::Step : public QUndoCommand
{
public:
    Step(EditHistory& history, SheetChange change) : m_history(history)
    {
        setText(describe(change.kind));
        m_changes.push_back(std::move(change));
    }

    // The step's name in Edit, Undo and Redo.
    static QString describe(SheetChange::Kind kind)
    {
        switch (kind) {
        case SheetChange::Kind::Cell:
            return QStringLiteral("Typing");
        case SheetChange::Kind::Color:
            return QStringLiteral("Colour");
        case SheetChange::Kind::Font:
            return QStringLiteral("Font");
        case SheetChange::Kind::ColumnMove:
            return QStringLiteral("Column Move");
        default:
            return QStringLiteral("Change");
        }
    }

    // The change already happened when the step is pushed: only later redos apply it.
    void redo() override
    {
        if (m_done)
            m_history.apply(m_changes, false);
        m_done = true;
    }
    void undo() override { m_history.apply(m_changes, true); }

    // The same cell, typed into without a pause for another command.
    bool continues(const SheetChange& change) const
    {
        const SheetChange& first = m_changes.front();
        return first.kind == SheetChange::Kind::Cell && change.kind == SheetChange::Kind::Cell &&
               first.grid == change.grid && first.col == change.col && first.row == change.row;
    }

    // Only the first old value and the last new value of a cell or a grid's
    // shape matter to undo and redo.
    void merge(const SheetChange& change)
    {
        for (SheetChange& known : m_changes) {
            if (known.kind != change.kind || known.grid != change.grid)
                continue;
            if (change.kind == SheetChange::Kind::Cell && known.col == change.col &&
                known.row == change.row) {
                known.newText = change.newText;
                return;
            }
            if (change.kind == SheetChange::Kind::Shape) {
                known.newShape = change.newShape;
                return;
            }
        }
        m_changes.push_back(change);
    }

    const SheetChange& first() const { return m_changes.front(); }

private:
    EditHistory& m_history;
    std::vector<SheetChange> m_changes;
    bool m_done = false;
};

EditHistory::EditHistory(RosterSheet& sheet, QObject* parent) : QObject(parent), m_sheet(sheet)
{
    m_observer = m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
    connect(&m_stack, &QUndoStack::cleanChanged, this, &EditHistory::tellModified);
}

void EditHistory::tellModified()
{
    if (isModified() == m_toldModified)
        return;
    m_toldModified = isModified();
    emit modifiedChanged(m_toldModified);
}

EditHistory::~EditHistory()
{
    m_sheet.removeObserver(m_observer);
    // The stack clears itself as it goes and would tell of a new clean state
    // to a document that is going too.
    disconnect(&m_stack, nullptr, this, nullptr);
}

void EditHistory::startClean()
{
    m_typing = false;
    m_stack.clear();
    tellModified();
}

void EditHistory::markSaved()
{
    endTyping();
    m_stack.setClean();
}

void EditHistory::endTyping()
{
    m_typing = false;
}

EditHistory::Step* EditHistory::topStep() const
{
    // Never the saved state's own step: adding to it would leave the roster
    // marked as saved while it differs.
    if (m_stack.index() == 0 || m_stack.index() != m_stack.count() || m_stack.cleanIndex() == m_stack.index())
        return nullptr;
    return const_cast<Step*>(static_cast<const Step*>(m_stack.command(m_stack.index() - 1)));
}

EditHistory::Step* EditHistory::openStep() const
{
    return m_typing ? topStep() : nullptr;
}

void EditHistory::asOneStep(const QString& name, const std::function<void()>& edits)
{
    endTyping();
    m_groupName = name;
    m_group = nullptr;
    const auto close = [this] {
        m_groupName.reset();
        m_group = nullptr;
    };
    try {
        edits();
    } catch (...) {
        close();
        throw;
    }
    close();
}

void EditHistory::sheetChanged(const SheetChange& change)
{
    using Kind = SheetChange::Kind;
    if (change.cause == SheetChange::Cause::Restore)
        return;
    if (m_groupName) {
        if (change.kind == Kind::ColumnWidth || change.kind == Kind::Encoding ||
            change.kind == Kind::Replaced)
            return;
        if (m_group) {
            m_group->merge(change);
            return;
        }
        m_group = new Step(*this, change);
        m_group->setText(*m_groupName);
        m_stack.push(m_group);
        return;
    }
    // A follow-up (a cost that follows its count) belongs to the step of the
    // edit that caused it, so that one undo takes back both.
    if (change.cause == SheetChange::Cause::FollowUp &&
        (change.kind == Kind::Cell || change.kind == Kind::Shape)) {
        if (Step* step = topStep()) {
            step->merge(change);
            return;
        }
    }
    switch (change.kind) {
    case Kind::Cell:
        if (Step* step = openStep(); step && step->continues(change)) {
            step->merge(change);
            return;
        }
        m_stack.push(new Step(*this, change));
        m_typing = true;
        return;
    case Kind::Shape:
        // The row typing adds below the match record belongs to that typing.
        if (Step* step = openStep(); step && step->first().grid == change.grid) {
            step->merge(change);
            return;
        }
        break;
    case Kind::ColumnMove:
    case Kind::Color:
    case Kind::Font:
        break;
    case Kind::ColumnWidth:
    case Kind::Encoding:
    case Kind::Replaced:
        // Widths are the window's layout, not the page; a new encoding or
        // content comes with a page read or created, which starts afresh.
        return;
    }
    m_typing = false;
    m_stack.push(new Step(*this, change));
}

void EditHistory::apply(const std::vector<SheetChange>& changes, bool backwards)
{
    using Kind = SheetChange::Kind;
    m_typing = false;
    const auto applyOne = [this, backwards](const SheetChange& change) {
        switch (change.kind) {
        case Kind::Cell:
            m_sheet.setCell(change.grid, change.col, change.row, backwards ? change.oldText : change.newText);
            break;
        case Kind::Shape:
            m_sheet.setShape(change.grid, backwards ? change.oldShape : change.newShape);
            break;
        case Kind::ColumnMove:
            if (backwards)
                m_sheet.moveColumn(change.grid, change.to, change.from);
            else
                m_sheet.moveColumn(change.grid, change.from, change.to);
            break;
        case Kind::Color:
            m_sheet.setColor(change.color, backwards ? change.oldColor : change.newColor);
            break;
        case Kind::Font:
            m_sheet.setFont(change.font, backwards ? change.oldText : change.newText,
                            backwards ? change.oldColor : change.newColor);
            break;
        default:
            break;
        }
    };
    m_sheet.restore([&] {
        if (backwards) {
            for (auto change = changes.rbegin(); change != changes.rend(); ++change)
                applyOne(*change);
        } else {
            for (const SheetChange& change : changes)
                applyOne(change);
        }
    });
}
