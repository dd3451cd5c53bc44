#include "RosterRows.h"

#include "Errors.h"
#include "LineCleanup.h"
#include "TeamLabels.h"

#include <algorithm>
#include <set>

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

// The page's cost text where the editor reads it as the page means it; else
// the amount in the look closest to the page's ("70.000" as "70,000", "70"
// in a column of thousands as "70k"); else the text as it stands.
std::string costText(const std::string& text, GoldPieces scale)
{
    const MoneyReading reading{true, scale};
    const Money meant = parseMoney(text, reading);
    if (!meant.isKnown() || parseMoney(text) == meant)
        return text;
    MoneyStyle style = moneyStyleOf(text, reading);
    if (scale == 1'000 && style.unit == 0 && style.afterUnit.empty())
        style.unit = 'k';
    return formatMoney(meant.amount, style);
}

// A column of skills and injuries says where its injuries start ("Block,
// Dodge; Injuries: -1 MA"): they join the player's injuries.
void splitInjuriesFromSkills(TPlayer& player)
{
    const std::string lower = lowerCased(player.Skills);
    std::size_t at = std::string::npos;
    std::size_t labelEnd = 0;
    for (const std::string_view label : {"injuries:", "injury:", "inj:"}) {
        const std::size_t found = lower.find(label);
        if (found != std::string::npos && found < at) {
            at = found;
            labelEnd = found + label.size();
        }
    }
    if (at == std::string::npos)
        return;
    const std::string injuries(trimmed(std::string_view(player.Skills).substr(labelEnd)));
    std::string_view skills = trimmed(std::string_view(player.Skills).substr(0, at));
    while (!skills.empty() && (skills.back() == ',' || skills.back() == ';' || skills.back() == '.'))
        skills = trimmed(skills.substr(0, skills.size() - 1));
    if (!injuries.empty())
        player.Injuries = player.Injuries.empty() ? injuries : player.Injuries + ", " + injuries;
    player.Skills = std::string(skills);
}

// "3 (9)" under a heading "SPP unspent (total)": the points earned are the
// total in brackets, not the points left to spend.
std::int32_t sppOf(const std::string& text, const ColumnMap& columns)
{
    const auto heading = columns.headingOf.find(RosterColumn::SPP);
    const std::size_t open = text.find('(');
    if (heading != columns.headingOf.end() && open != std::string::npos &&
        normalisedWord(heading->second).find("total") != std::string::npos) {
        if (const std::optional<std::int32_t> total = leadingNumber(std::string_view(text).substr(open + 1)))
            return *total;
    }
    return leadingNumber(text).value_or(0);
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

namespace {

// Every row of a page is tried as the roster's heading row until one is, so
// the headings that name no column are listed only when asked.
ColumnMap columnsOfHeadings(const TableRow& row, bool listIgnored)
{
    ColumnMap map;
    for (const TableCell& cell : row.cells) {
        std::string text = row.textOf(cell);
        if (text.size() > LongestHeading)
            text.resize(LongestHeading);
        std::optional<RosterColumn> column = columnOfHeading(text);
        // A heading over lines names its column in the first ("SPP", then
        // "unspent (total)" below it).
        const std::string_view runs = row.runsOf(cell);
        if (!column && runs.find('\n') != std::string_view::npos)
            column = columnOfHeading(runs.substr(0, runs.find('\n')));
        if (usable(map, column)) {
            name(map, *column, cell.column, text);
            if (*column == RosterColumn::Value)
                map.valueScale = scaleOfHeading(text);
            if (isOtherToolsHeading(text))
                map.otherToolsHeadings.emplace_back(text, *column);
        } else if (listIgnored && !text.empty() &&
                   std::find(map.ignored.begin(), map.ignored.end(), text) == map.ignored.end())
            map.ignored.push_back(text);
    }
    return map;
}

} // namespace

ColumnMap headingsOfRow(const TableRow& row)
{
    ColumnMap map = columnsOfHeadings(row, false);
    return map.isRoster() ? columnsOfHeadings(row, true) : map;
}

ColumnMap classesOfRow(const TableRow& row)
{
    ColumnMap map;
    // Every row of a page is tried until one names the columns, so the class
    // names are parted where they lie.
    static constexpr std::string_view blanks = " \t\n\v\f\r";
    for (const TableCell& cell : row.cells) {
        std::string_view classes = row.classesOf(cell);
        for (std::size_t start = classes.find_first_not_of(blanks); start != std::string_view::npos;
             start = classes.find_first_not_of(blanks, start)) {
            const std::size_t end = std::min(classes.find_first_of(blanks, start), classes.size());
            const std::string_view word = classes.substr(start, end - start);
            start = end;
            const std::optional<RosterColumn> column = columnOfHeading(word);
            if (usable(map, column)) {
                name(map, *column, cell.column, std::string(word));
                break;
            }
        }
    }
    return map;
}

const TableCell* cellOfColumn(const TableRow& row, const ColumnMap& columns, RosterColumn column)
{
    const auto found = columns.columnOf.find(column);
    if (found == columns.columnOf.end())
        return nullptr;
    const auto cell = std::find_if(row.cells.begin(), row.cells.end(),
                                   [&](const TableCell& c) { return c.column == found->second; });
    return cell == row.cells.end() ? nullptr : &*cell;
}

bool isEmptySlot(const TableRow& row, const ColumnMap& columns)
{
    const auto text = [&](RosterColumn column) {
        const TableCell* cell = cellOfColumn(row, columns, column);
        return cell == nullptr ? std::string() : row.textOf(*cell);
    };
    return leadingNumber(text(RosterColumn::Number)).has_value() && text(RosterColumn::Name).empty() &&
           leadingNumber(text(RosterColumn::MA)).value_or(0) == 0;
}

std::optional<ImportedPlayer> playerOfRow(const TableRow& row, const ColumnMap& columns)
{
    const std::vector<TableCell>& cells = row.cells;
    const bool spans = std::any_of(cells.begin(), cells.end(), [](const TableCell& c) { return c.span > 1; });
    const bool allHeadings =
        std::all_of(cells.begin(), cells.end(), [](const TableCell& c) { return c.heading; });
    if (cells.empty() || spans || allHeadings)
        return std::nullopt;

    const auto cellOf = [&](RosterColumn column) { return cellOfColumn(row, columns, column); };
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
    // "Coach:" labels the team's field beside it.
    if (player.PlayerName.ends_with(':') && labelledText(player.PlayerName))
        return std::nullopt;
    player.Position = text(RosterColumn::Position);
    const TableCell* nameCell = cellOf(RosterColumn::Name);
    if (nameCell != nullptr && !columns.columnOf.contains(RosterColumn::Position)) {
        const std::string_view runs = row.runsOf(*nameCell);
        const std::size_t lineEnd = runs.find('\n');
        if (lineEnd != std::string_view::npos) {
            player.PlayerName = runs.substr(0, lineEnd);
            player.Position = runs.substr(lineEnd + 1);
            std::replace(player.Position.begin(), player.Position.end(), '\n', ' ');
        }
    }
    player.ST = number(RosterColumn::ST);
    player.AG = number(RosterColumn::AG);
    player.AV = number(RosterColumn::AV);
    player.Skills = list(RosterColumn::Skills);
    player.Injuries = list(RosterColumn::Injuries);
    splitInjuriesFromSkills(player);
    for (const RosterColumn mark : {RosterColumn::MissNextGame, RosterColumn::NigglingInjuries}) {
        if (columns.headingOf.contains(mark))
            addInjuryMark(player.Injuries, columns.headingOf.at(mark), text(mark));
    }
    player.Completions = number(RosterColumn::Completions);
    player.Touchdowns = number(RosterColumn::Touchdowns);
    player.Interceptions = number(RosterColumn::Interceptions);
    player.Casualties = number(RosterColumn::Casualties);
    player.MVPs = number(RosterColumn::MVPs);
    player.SPP = sppOf(text(RosterColumn::SPP), columns);
    player.PlayerCost = costText(text(RosterColumn::Value), columns.valueScale);
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

std::string_view fieldName(RosterColumn column)
{
    switch (column) {
    case RosterColumn::Number:
        return "number";
    case RosterColumn::Name:
        return "name";
    case RosterColumn::Position:
        return "position";
    case RosterColumn::MA:
        return "MA";
    case RosterColumn::ST:
        return "ST";
    case RosterColumn::AG:
        return "AG";
    case RosterColumn::PA:
        return "PA";
    case RosterColumn::AV:
        return "AV";
    case RosterColumn::Skills:
        return "skills";
    case RosterColumn::Injuries:
        return "injuries";
    case RosterColumn::NigglingInjuries:
        return "niggling injuries";
    case RosterColumn::MissNextGame:
        return "miss next game";
    case RosterColumn::Completions:
        return "completions";
    case RosterColumn::Touchdowns:
        return "touchdowns";
    case RosterColumn::Interceptions:
        return "interceptions";
    case RosterColumn::Casualties:
        return "casualties";
    case RosterColumn::MVPs:
        return "MVPs";
    case RosterColumn::SPP:
        return "SPP";
    case RosterColumn::Value:
        return "value";
    }
    return {};
}
