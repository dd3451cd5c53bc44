#include "MatchRecordRules.h"

#include "CellWalk.h"
#include "Errors.h"
#include "LineCleanup.h"

namespace {

// Rows hold only the cells that were set, so widening touches no row and a new
// row is empty: the cost of a row follows its own cells, not the record's width.
void setSize(MatchRecord& record, int colCount, int rowCount)
{
    if (colCount > MaxMatchRecordColumns || rowCount > MaxMatchRecordRows)
        throw ELimitError("Match record too large");
    record.ColCount = colCount;
    record.RowCount = rowCount;
    record.Cells.resize(static_cast<std::size_t>(rowCount));
}

// Sets a cell inside the record, growing only its row.
void setCell(MatchRecord& record, int column, int row, std::string_view text)
{
    std::vector<std::string>& cells = record.Cells[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size())
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;
}

void startRecord(ScanState& state)
{
    MatchRecord& record = state.matchRecord;
    state.matchRecordOpen = true;
    // Emptying the cells counts the columns through the font stage, which
    // ends the reading of FONT tags. A title met before both faces are read
    // is a heading text that names a record (a team called "Match Record
    // Breakers", in a page's title line): the fonts that follow it are still
    // read, as in any page this program writes for such a team.
    if (state.fontStage >= 2)
        state.fontStage = record.ColCount + 1;
    record.Cells.clear();
    setSize(record, 1, 1);
    record.FixedRows = 0;
    record.Height = matchGridHeight(record.RowCount);
}

void readRecordRow(const PageLine& line, ScanState& state)
{
    MatchRecord& record = state.matchRecord;
    std::string_view remainder = trimmed(line.cleaned());
    int column = 0;
    const int row = record.RowCount - 1;
    StripLeadingPipe(remainder);
    StripLeadingPipe(remainder);
    while (holds(remainder, '|')) {
        const std::string_view cell = TakeCell(remainder);
        // Empty cells beyond the heading's width are dropped, so that filler
        // cells do not widen the grid.
        if (!cell.empty() || column < record.ColCount) {
            if (column + 1 > record.ColCount)
                setSize(record, column + 1, record.RowCount);
            setCell(record, column, row, cell);
            ++column;
        }
        SkipPastPipe(remainder);
        StripLeadingPipe(remainder);
    }
    state.fontStage = column;
    setSize(record, record.ColCount, row + 2);
    record.Height = matchGridHeight(record.RowCount);
    record.FixedRows = 1;
}

} // namespace

MatchRecord defaultMatchRecord()
{
    MatchRecord record;
    setSize(record, 8, 2);
    record.FixedRows = 1;
    record.Cells[0] = {"Result", "Opponent", "Race",     "Score",
                       "Cas",    "Gate",     "Winnings", "Notes & Highlights"};
    return record;
}

void applyMatchRecordRules(const PageLine& line, ScanState& state)
{
    if ((line.has("GAME") || line.has("MATCH")) && line.has("RECORD"))
        startRecord(state);
    if (state.matchRecordOpen && line.has("<TR"))
        readRecordRow(line, state);
}
