#include "RosterRows.h"

#include "Errors.h"
#include "TeamLabels.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace {

// A heading is a word or two; a cell with more text is no heading.
constexpr std::size_t LongestHeading = 64;

// Skills and injuries are lists: texts in separate elements ("Block" and
// "Dodge" in two labels) are joined with commas.
std::string listText(std::string_view runs)
{
    std::string out;
    std::size_t start = 0;
    while (start <= runs.size() && !runs.empty()) {
        const std::size_t end = std::min(runs.find('\n', start), runs.size());
        const std::string_view run = runs.substr(start, end - start);
        start = end + 1;
        if (run.empty())
            continue;
        if (out.empty())
            out = run;
        else if (run.front() == ',' || run.front() == ';')
            out += run;
        else if (out.back() == ',' || out.back() == ';')
            out += " " + std::string(run);
        else
            out += ", " + std::string(run);
    }
    return out;
}

// Miss-next-game and niggling-injury columns hold marks or counts; they
// join the injuries as their heading ("MNG", "2 NI").
void addInjuryMark(std::string& injuries, std::string_view heading, std::string_view value)
{
    const std::string word = normalisedWord(value);
    if (word.empty() || word == "0" || word == "no" || word == "n")
        return;
    std::string mark(heading);
    if (const std::optional<std::int32_t> count = leadingNumber(value); count && *count > 1)
        mark = std::to_string(*count) + " " + mark;
    injuries += (injuries.empty() ? "" : ", ") + mark;
}

void name(ColumnMap& map, RosterColumn column, int at, std::string heading)
{
    map.columnOf[column] = at;
    map.headingOf[column] = std::move(heading);
}

bool usable(const ColumnMap& map, const std::optional<RosterColumn>& column)
{
    return column && *column != RosterColumn::PA && !map.columnOf.contains(*column);
}

} // namespace

bool ColumnMap::isRoster() const
{
    int others = 0;
    for (const RosterColumn column :
         {RosterColumn::Number, RosterColumn::Position, RosterColumn::MA, RosterColumn::ST, RosterColumn::AG,
          RosterColumn::AV, RosterColumn::Skills, RosterColumn::Value})
        others += columnOf.contains(column) ? 1 : 0;
    return columnOf.contains(RosterColumn::Name) && others >= 2;
}

ColumnMap headingsOfRow(const TableRow& row)
{
    ColumnMap map;
    for (const TableCell& cell : row.cells) {
        std::string text = row.textOf(cell);
        if (text.size() > LongestHeading)
            text.resize(LongestHeading);
        const std::optional<RosterColumn> column = columnOfHeading(text);
        if (usable(map, column))
            name(map, *column, cell.column, text);
        else if (!text.empty() &&
                 std::find(map.ignored.begin(), map.ignored.end(), text) == map.ignored.end())
            map.ignored.push_back(text);
    }
    return map;
}

ColumnMap classesOfRow(const TableRow& row)
{
    ColumnMap map;
    for (const TableCell& cell : row.cells) {
        std::istringstream classes{std::string(row.classesOf(cell))};
        std::string word;
        while (classes >> word) {
            const std::optional<RosterColumn> column = columnOfHeading(word);
            if (usable(map, column)) {
                name(map, *column, cell.column, word);
                break;
            }
        }
    }
    return map;
}

std::optional<ImportedPlayer> playerOfRow(const TableRow& row, const ColumnMap& columns)
{
    const std::vector<TableCell>& cells = row.cells;
    const bool spans = std::any_of(cells.begin(), cells.end(), [](const TableCell& c) { return c.span > 1; });
    const bool allHeadings =
        std::all_of(cells.begin(), cells.end(), [](const TableCell& c) { return c.heading; });
    if (cells.empty() || spans || allHeadings)
        return std::nullopt;

    const auto cellOf = [&](RosterColumn column) -> const TableCell* {
        const auto found = columns.columnOf.find(column);
        if (found == columns.columnOf.end())
            return nullptr;
        const auto cell = std::find_if(cells.begin(), cells.end(),
                                       [&](const TableCell& c) { return c.column == found->second; });
        return cell == cells.end() ? nullptr : &*cell;
    };
    const auto text = [&](RosterColumn column) {
        const TableCell* cell = cellOf(column);
        return cell == nullptr ? std::string() : row.textOf(*cell);
    };
    const auto number = [&](RosterColumn column) { return leadingNumber(text(column)).value_or(0); };
    const auto list = [&](RosterColumn column) {
        const TableCell* cell = cellOf(column);
        return cell == nullptr ? std::string() : listText(row.runsOf(*cell));
    };

    ImportedPlayer imported{{}, leadingNumber(text(RosterColumn::Number))};
    TPlayer& player = imported.player;
    player.PlayerName = text(RosterColumn::Name);
    player.MA = number(RosterColumn::MA);
    if (player.PlayerName.empty() && player.MA == 0)
        return std::nullopt;
    player.Position = text(RosterColumn::Position);
    player.ST = number(RosterColumn::ST);
    player.AG = number(RosterColumn::AG);
    player.AV = number(RosterColumn::AV);
    player.Skills = list(RosterColumn::Skills);
    player.Injuries = list(RosterColumn::Injuries);
    for (const RosterColumn mark : {RosterColumn::MissNextGame, RosterColumn::NigglingInjuries}) {
        if (columns.headingOf.contains(mark))
            addInjuryMark(player.Injuries, columns.headingOf.at(mark), text(mark));
    }
    player.Completions = number(RosterColumn::Completions);
    player.Touchdowns = number(RosterColumn::Touchdowns);
    player.Interceptions = number(RosterColumn::Interceptions);
    player.Casualties = number(RosterColumn::Casualties);
    player.MVPs = number(RosterColumn::MVPs);
    player.SPP = number(RosterColumn::SPP);
    player.PlayerCost = text(RosterColumn::Value);
    return imported;
}

bool placePlayers(const std::vector<ImportedPlayer>& players, TTeam& team)
{
    if (players.size() > static_cast<std::size_t>(PlayerSlotCount))
        throw TeamEditorError("More than 16 players in the page");
    std::set<std::int32_t> numbers;
    bool numbersAreSlots = true;
    for (const ImportedPlayer& imported : players) {
        const std::optional<std::int32_t> number = imported.number;
        if (!number || *number < 1 || *number > PlayerSlotCount || !numbers.insert(*number).second)
            numbersAreSlots = false;
    }
    int slot = 0;
    for (const ImportedPlayer& imported : players)
        team.Players[numbersAreSlots ? *imported.number : ++slot] = imported.player;
    const bool anyNumber = std::any_of(players.begin(), players.end(),
                                       [](const ImportedPlayer& p) { return p.number.has_value(); });
    return !numbersAreSlots && anyNumber;
}
