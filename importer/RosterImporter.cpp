#include "RosterImporter.h"

#include "ColumnHeadings.h"
#include "Errors.h"
#include "ImportedLook.h"
#include "MatchRecordRules.h"
#include "PageFile.h"
#include "PageTables.h"
#include "RosterRows.h"
#include "ScanState.h"
#include "TeamFieldReader.h"
#include "TeamRows.h"

#include <algorithm>
#include <set>

namespace {

// A table whose first row names an opponent, or a result and a score, is the
// match record.
bool namesGames(const TableRow& row)
{
    std::set<std::string> headings;
    for (const TableCell& cell : row.cells)
        headings.insert(normalisedWord(row.textOf(cell)));
    return headings.contains("opponent") || (headings.contains("result") && headings.contains("score"));
}

// The rows of the match table become the grid, the first one its headings;
// rows without any text are left out, as the page writer leaves them out.
class MatchTable
{
public:
    void add(const TableRow& row)
    {
        // One row stays free for the empty row below the games.
        if (m_cells.size() + 1 >= static_cast<std::size_t>(MaxMatchRecordRows))
            return;
        std::vector<std::string> cells;
        bool any = false;
        for (const TableCell& cell : row.cells) {
            cells.push_back(row.textOf(cell));
            any = any || !cells.back().empty();
        }
        if (any)
            m_cells.push_back(std::move(cells));
    }

    MatchRecord record() &&
    {
        MatchRecord record;
        record.Cells = std::move(m_cells);
        record.ColCount = 1;
        for (const std::vector<std::string>& cells : record.Cells)
            record.ColCount = std::max(record.ColCount, static_cast<int>(cells.size()));
        // One empty row below the games, where the next one is typed.
        record.Cells.emplace_back();
        record.RowCount = static_cast<int>(record.Cells.size());
        record.FixedRows = 1;
        record.Height = 21 * record.RowCount + 16;
        return record;
    }

private:
    std::vector<std::vector<std::string>> m_cells;
};

// Takes the rows and texts of a page as they stream past and keeps what a
// roster can use: the roster table's players, the team's labelled fields, the
// match record and the look.
class RosterPageImport : public PageContent
{
public:
    RosterPageImport() : m_fields(m_result.team)
    {
        m_result.team = newTeam();
        m_result.matchRecord = defaultMatchRecord();
    }

    ImportResult run(std::string_view bytes) &&
    {
        PageTables page(*this);
        page.read(bytes);
        if (!m_roster && !m_fields.anyGiven())
            throw ENotRosterPage("Not a roster page");
        if (m_roster) {
            m_result.placedInPageOrder = placePlayers(m_players, m_result.team);
            m_result.playerCount = static_cast<int>(m_players.size());
            m_result.ignoredColumns = m_roster->columns.ignored;
            m_result.columnsFromCellClasses = m_roster->fromClasses;
            for (const auto& [heading, column] : m_roster->columns.otherToolsHeadings)
                m_result.headingsRead.emplace_back(heading, fieldName(column));
        }
        m_staff.offerTo([this](TeamLabel field, const LabelValue& value) { m_fields.offer(field, value); });
        m_result.staffLineCount = m_staff.lineCount();
        if (!m_fields.given(TeamLabel::TeamName))
            m_result.team.TeamName = page.title().empty() ? page.firstHeading() : page.title();
        noteWhatIsMissing();
        m_look.body = page.bodyLook();
        applyLook();
        if (m_matchTable)
            m_result.matchRecord = std::move(m_matchTable->cells).record();
        return std::move(m_result);
    }

    void tableRow(const TableRow& row, const ElementLook& table) override
    {
        if (!m_roster && findsRoster(row, table))
            return;
        if (m_roster && row.table == m_roster->table) {
            if (std::optional<std::string> total = teamTotalOfRow(row, m_roster->columns)) {
                m_fields.offer(TeamLabel::TeamCost, {std::move(*total), {}, {}});
                return;
            }
            if (std::optional<StaffLine> staff = staffLineOfRow(row, m_roster->columns)) {
                m_staff.add(*staff);
                return;
            }
            if (std::optional<ImportedPlayer> player = playerOfRow(row, m_roster->columns)) {
                m_players.push_back(std::move(*player));
                if (m_players.size() > static_cast<std::size_t>(PlayerSlotCount))
                    throw TeamEditorError("More than 16 players in the page");
                return;
            }
            if (isEmptySlot(row, m_roster->columns))
                return;
        } else if (!m_matchTable && row.index == 0 && namesGames(row)) {
            // The match record's headings ("Race", "Result") are no labels of the team.
            m_matchTable = {row.table, {}};
            m_matchTable->cells.add(row);
            return;
        } else if (m_matchTable && row.table == m_matchTable->table) {
            m_matchTable->cells.add(row);
        }
        m_fields.row(row);
    }

    void freeText(std::string_view text) override { m_fields.text(text); }

private:
    void noteWhatIsMissing()
    {
        static constexpr std::pair<TeamLabel, std::string_view> fields[] = {
            {TeamLabel::Race, "race"},
            {TeamLabel::Coach, "coach"},
            {TeamLabel::ReRolls, "re-rolls"},
            {TeamLabel::FanFactor, "fan factor"},
            {TeamLabel::TeamRating, "team rating"},
            {TeamLabel::Treasury, "treasury"},
            {TeamLabel::TeamCost, "team value"},
        };
        for (const auto& [field, name] : fields) {
            if (!m_fields.given(field))
                m_result.notInPage.emplace_back(name);
        }
    }

    // Colours come in only where the table text reads on them.
    void applyLook()
    {
        TTeam& team = m_result.team;
        applyPageLook(m_look, team);
        if (textReadsOnColours(team))
            return;
        const TTeam start = newTeam();
        m_result.unreadableColours = true;
        team.BackgroundColor = start.BackgroundColor;
        team.TableColor = start.TableColor;
        team.HeadingsColor = start.HeadingsColor;
        team.TableFontColor = start.TableFontColor;
    }

    // True when the row is the heading row of the roster table, which then
    // holds no player; a row whose cells' classes name the columns is also
    // the first row of players.
    bool findsRoster(const TableRow& row, const ElementLook& table)
    {
        ColumnMap headings = headingsOfRow(row);
        if (headings.isRoster()) {
            m_roster = Roster{row.table, std::move(headings), false};
            m_look.table = table;
            m_look.headingRow = row.look;
            m_look.headingCell = row.firstCellLook;
            return true;
        }
        ColumnMap classes = classesOfRow(row);
        if (classes.isRoster()) {
            m_roster = Roster{row.table, std::move(classes), true};
            m_look.table = table;
        }
        return false;
    }

    struct Roster
    {
        int table;
        ColumnMap columns;
        bool fromClasses;
    };
    struct MatchRows
    {
        int table;
        MatchTable cells;
    };

    ImportResult m_result;
    TeamFieldReader m_fields;
    std::optional<Roster> m_roster;
    std::vector<ImportedPlayer> m_players;
    std::optional<MatchRows> m_matchTable;
    StaffTally m_staff;
    RosterPageLook m_look;
};

} // namespace

namespace {

// "a, b and 3 more": a page may repeat a heading hundreds of times, and the
// bar has room for a few.
std::string listOf(const std::vector<std::string>& items)
{
    constexpr std::size_t listed = 20;
    std::string text;
    for (std::size_t i = 0; i < std::min(items.size(), listed); ++i)
        text += (i == 0 ? "" : ", ") + items[i];
    if (items.size() > listed)
        text += " and " + std::to_string(items.size() - listed) + " more";
    return text;
}

std::string counted(int count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

std::string ImportResult::summary() const
{
    std::string text = "Imported " + counted(playerCount, "player", "players");
    if (staffLineCount > 0)
        text += ", " + counted(staffLineCount, "staff line", "staff lines");
    if (!team.TeamCost.empty())
        text += ", team value " + team.TeamCost;
    if (!headingsRead.empty()) {
        std::vector<std::string> read;
        for (const auto& [heading, field] : headingsRead)
            read.push_back(heading + " as " + field);
        text += "; read: " + listOf(read);
    }
    if (!ignoredColumns.empty())
        text +=
            "; ignored: " + listOf(ignoredColumns) + (ignoredColumns.size() == 1 ? " column" : " columns");
    if (!notInPage.empty())
        text += "; not in the page: " + listOf(notInPage);
    if (unreadableColours)
        text += "; the page's colours would leave the text unreadable, so the new team's are used";
    if (columnsFromCellClasses)
        text += "; columns named by the cells' classes";
    if (placedInPageOrder)
        text += "; player numbers above 16 or repeated, so players take slots in page order";
    return text;
}

ImportResult importRosterPage(std::string_view pageBytes)
{
    return RosterPageImport().run(pageBytes);
}

ImportResult importRosterFile(const std::string& path)
{
    return importRosterPage(loadPageBytes(path));
}

bool importFindsMore(const ImportResult& imported, const TTeam& read, TextEncoding readEncoding)
{
    const auto readPlayers = std::count_if(read.Players.begin(), read.Players.end(),
                                           [](const TPlayer& player) { return !player.isEmpty(); });
    if (imported.playerCount > readPlayers)
        return true;
    return !imported.team.TeamName.empty() &&
           QString::fromStdString(imported.team.TeamName) != decodeText(read.TeamName, readEncoding);
}
