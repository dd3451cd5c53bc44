#include "MatchRecordRules.h"

#include "CellWalk.h"
#include "LineCleanup.h"

namespace {

// The grid's height in pixels for its row count.
int heightForRows(int rowCount)
{
    return 21 * rowCount + 16;
}

// Only rows that are new or columns that changed are touched, so that adding
// a row costs the same however many rows the record has.
void setSize(MatchRecord& record, int colCount, int rowCount)
{
    const bool widen = colCount != record.ColCount;
    record.ColCount = colCount;
    record.RowCount = rowCount;
    record.Cells.resize(static_cast<std::size_t>(rowCount),
                        std::vector<std::string>(static_cast<std::size_t>(colCount)));
    if (widen) {
        for (std::vector<std::string>& row : record.Cells)
            row.resize(static_cast<std::size_t>(colCount));
    }
}

void startRecord(ScanState& state)
{
    MatchRecord& record = state.matchRecord;
    state.matchRecordOpen = true;
    // Emptying the cells counts the columns through the font stage.
    state.fontStage = record.ColCount + 1;
    record.Cells.clear();
    setSize(record, 1, 1);
    record.FixedRows = 0;
    record.Height = heightForRows(record.RowCount);
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
            record.Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = cell;
            ++column;
        }
        SkipPastPipe(remainder);
        StripLeadingPipe(remainder);
    }
    state.fontStage = column;
    setSize(record, record.ColCount, row + 2);
    record.Height = heightForRows(record.RowCount);
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
