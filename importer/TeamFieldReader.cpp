#include "TeamFieldReader.h"

#include "ColumnHeadings.h"
#include "LineCleanup.h"

namespace {

// "x 60 kgp =", "x $50k =": the unit price cell of a staff row.
bool looksLikePrice(std::string_view text)
{
    text = trimmed(text);
    return !text.empty() && (text.front() == 'x' || text.front() == 'X') &&
           (text.size() == 1 || text[1] == ' ' || text[1] == '$' || (text[1] >= '0' && text[1] <= '9'));
}

// The cells after a label that fills its own: the value, and on staff rows the
// unit price and the cost.
LabelValue valueAfter(const TableRow& row, std::size_t label)
{
    LabelValue value;
    const std::vector<TableCell>& cells = row.cells;
    if (label + 1 >= cells.size())
        return value;
    value.value = row.textOf(cells[label + 1]);
    if (label + 2 < cells.size() && looksLikePrice(row.textOf(cells[label + 2]))) {
        value.priceText = row.textOf(cells[label + 2]);
        if (label + 3 < cells.size())
            value.costText = row.textOf(cells[label + 3]);
    }
    return value;
}

} // namespace

void TeamFieldReader::text(std::string_view text)
{
    item(text, nullptr, 0);
}

void TeamFieldReader::row(const TableRow& row)
{
    for (std::size_t cell = 0; cell < row.cells.size(); ++cell) {
        const std::string_view runs = row.runsOf(row.cells[cell]);
        std::size_t start = 0;
        while (start < runs.size()) {
            const std::size_t end = std::min(runs.find('\n', start), runs.size());
            item(runs.substr(start, end - start), &row, cell);
            start = end + 1;
        }
    }
}

void TeamFieldReader::item(std::string_view text, const TableRow* row, std::size_t cell)
{
    const std::optional<LabelledText> labelled = labelledText(text);
    if (!labelled) {
        if (m_pending)
            offer(*m_pending, {std::string(text), {}, {}});
        m_pending.reset();
        return;
    }
    m_pending.reset();
    if (given(labelled->label))
        return;
    if (!labelled->value.empty()) {
        offer(labelled->label, {labelled->value, {}, {}});
    } else if (row != nullptr && normalisedWord(row->textOf(row->cells[cell])) == normalisedWord(text)) {
        offer(labelled->label, valueAfter(*row, cell));
    } else {
        m_pending = labelled->label;
    }
}

void TeamFieldReader::offer(TeamLabel label, const LabelValue& value)
{
    if (!given(label) && setTeamField(label, value, m_team))
        m_given.set(static_cast<std::size_t>(label));
}
