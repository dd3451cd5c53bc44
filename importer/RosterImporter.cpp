#include "RosterImporter.h"

#include "ColumnHeadings.h"
#include "Errors.h"
#include "HtmlDocument.h"
#include "LineCleanup.h"
#include "MatchRecordRules.h"
#include "PageFile.h"
#include "PageLookRules.h"
#include "ScanState.h"
#include "TeamLabels.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace {

// A heading is a word or two; a cell with more text is no heading, and its
// text is not gathered in full to find that out.
constexpr std::size_t LongestHeading = 64;

struct PlacedCell
{
    const HtmlNode* node;
    int column;
    int span;
    bool heading;
};

// The cells of a row at the columns they take, spans counted.
std::vector<PlacedCell> cellsOf(const HtmlNode* row)
{
    std::vector<PlacedCell> cells;
    int column = 0;
    for (const HtmlNode* child = firstChild(row); child != nullptr; child = nextSibling(child)) {
        if (!isElement(child, "td") && !isElement(child, "th"))
            continue;
        const int span = std::clamp(leadingNumber(attribute(child, "colspan")).value_or(1), 1, 1000);
        cells.push_back({child, column, span, isElement(child, "th")});
        column += span;
    }
    return cells;
}

std::string textUpTo(const HtmlNode* element, std::size_t limit)
{
    std::string text;
    const HtmlNode* node = firstChild(element);
    while (node != nullptr && text.size() <= limit) {
        const bool hidden = isHidden(node);
        if (!hidden && isText(node)) {
            const std::string run = collapsedText(node);
            if (!run.empty())
                text += (text.empty() ? "" : " ") + run;
        }
        node = nextInOrder(node, element, !hidden);
    }
    return text;
}

// Skills and injuries are lists: texts in separate elements ("Block" and
// "Dodge" in two labels) are joined with commas.
std::string listText(const HtmlNode* cell)
{
    std::string out;
    for (const std::string& run : textRuns(cell)) {
        if (out.empty())
            out = run;
        else if (run.front() == ',' || run.front() == ';')
            out += run;
        else if (out.back() == ',' || out.back() == ';')
            out += " " + run;
        else
            out += ", " + run;
    }
    return out;
}

struct ColumnMap
{
    std::map<RosterColumn, int> columnOf;
    std::map<RosterColumn, std::string> headingOf;
    std::vector<std::string> ignored;

    // A roster names its players and says at least two more things of them.
    bool isRoster() const
    {
        int others = 0;
        for (const RosterColumn column :
             {RosterColumn::Number, RosterColumn::Position, RosterColumn::MA, RosterColumn::ST,
              RosterColumn::AG, RosterColumn::AV, RosterColumn::Skills, RosterColumn::Value})
            others += columnOf.contains(column) ? 1 : 0;
        return columnOf.contains(RosterColumn::Name) && others >= 2;
    }
};

ColumnMap headingsOfRow(const std::vector<PlacedCell>& cells)
{
    ColumnMap map;
    for (const PlacedCell& cell : cells) {
        const std::string text = textUpTo(cell.node, LongestHeading);
        const std::optional<RosterColumn> column = columnOfHeading(text);
        if (column && *column != RosterColumn::PA && !map.columnOf.contains(*column)) {
            map.columnOf[*column] = cell.column;
            map.headingOf[*column] = text;
        } else if (!text.empty()) {
            map.ignored.push_back(text);
        }
    }
    return map;
}

// A page without heading cells may still name its columns in the class
// names of its cells ("playerNum", "name clickable", "ma").
ColumnMap classesOfRow(const std::vector<PlacedCell>& cells)
{
    ColumnMap map;
    for (const PlacedCell& cell : cells) {
        std::istringstream classes(attribute(cell.node, "class"));
        std::string word;
        while (classes >> word) {
            const std::optional<RosterColumn> column = columnOfHeading(word);
            if (column && *column != RosterColumn::PA && !map.columnOf.contains(*column)) {
                map.columnOf[*column] = cell.column;
                map.headingOf[*column] = word;
                break;
            }
        }
    }
    return map;
}

struct RosterTable
{
    const HtmlNode* table = nullptr;
    const HtmlNode* headingRow = nullptr;
    ColumnMap columns;
    std::vector<const HtmlNode*> dataRows;
    bool fromClasses = false;
};

std::optional<RosterTable> findRosterTable(const std::vector<const HtmlNode*>& tables)
{
    for (const HtmlNode* table : tables) {
        const std::vector<const HtmlNode*> rows = elementsNamed(table, "tr", "table");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::vector<PlacedCell> cells = cellsOf(rows[i]);
            ColumnMap headings = headingsOfRow(cells);
            if (headings.isRoster())
                return RosterTable{
                    table, rows[i], std::move(headings), {rows.begin() + i + 1, rows.end()}, false};
            ColumnMap classes = classesOfRow(cells);
            if (classes.isRoster())
                return RosterTable{table, nullptr, std::move(classes), {rows.begin() + i, rows.end()}, true};
        }
    }
    return std::nullopt;
}

struct ImportedPlayer
{
    TPlayer player;
    std::optional<std::int32_t> number;
    const HtmlNode* row;
};

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

std::optional<ImportedPlayer> playerOfRow(const HtmlNode* row, const ColumnMap& columns)
{
    const std::vector<PlacedCell> cells = cellsOf(row);
    // Rows that span columns are the team's own rows below the players.
    const bool spans =
        std::any_of(cells.begin(), cells.end(), [](const PlacedCell& c) { return c.span > 1; });
    const bool allHeadings =
        std::all_of(cells.begin(), cells.end(), [](const PlacedCell& c) { return c.heading; });
    if (cells.empty() || spans || allHeadings)
        return std::nullopt;

    std::map<int, const HtmlNode*> cellAt;
    for (const PlacedCell& cell : cells)
        cellAt[cell.column] = cell.node;
    const auto cellOf = [&](RosterColumn column) -> const HtmlNode* {
        const auto found = columns.columnOf.find(column);
        if (found == columns.columnOf.end())
            return nullptr;
        const auto cell = cellAt.find(found->second);
        return cell == cellAt.end() ? nullptr : cell->second;
    };
    const auto text = [&](RosterColumn column) {
        const HtmlNode* cell = cellOf(column);
        return cell == nullptr ? std::string() : visibleText(cell);
    };
    const auto number = [&](RosterColumn column) { return leadingNumber(text(column)).value_or(0); };

    ImportedPlayer imported{{}, leadingNumber(text(RosterColumn::Number)), row};
    TPlayer& player = imported.player;
    player.PlayerName = text(RosterColumn::Name);
    player.MA = number(RosterColumn::MA);
    if (player.PlayerName.empty() && player.MA == 0)
        return std::nullopt;
    player.Position = text(RosterColumn::Position);
    player.ST = number(RosterColumn::ST);
    player.AG = number(RosterColumn::AG);
    player.AV = number(RosterColumn::AV);
    if (const HtmlNode* skills = cellOf(RosterColumn::Skills))
        player.Skills = listText(skills);
    if (const HtmlNode* injuries = cellOf(RosterColumn::Injuries))
        player.Injuries = listText(injuries);
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

// Players keep their own numbers as slots only when every one of them is a
// slot number and no two are the same; otherwise they fill the slots in the
// order of the page.
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

const HtmlNode* enclosingCell(const HtmlNode* node)
{
    for (node = parent(node); node != nullptr; node = parent(node)) {
        if (isElement(node, "td") || isElement(node, "th"))
            return node;
        if (isElement(node, "table"))
            return nullptr;
    }
    return nullptr;
}

const HtmlNode* nextCell(const HtmlNode* cell)
{
    for (const HtmlNode* next = nextSibling(cell); next != nullptr; next = nextSibling(next)) {
        if (isElement(next, "td") || isElement(next, "th"))
            return next;
    }
    return nullptr;
}

// "x 60 kgp =", "x $50k =": the unit price cell of a staff row.
bool looksLikePrice(std::string_view text)
{
    text = trimmed(text);
    return !text.empty() && (text.front() == 'x' || text.front() == 'X') &&
           (text.size() == 1 || text[1] == ' ' || text[1] == '$' || (text[1] >= '0' && text[1] <= '9'));
}

struct TextItem
{
    const HtmlNode* node;
    std::string text;
};

// Every visible text of the page in order, but for the roster's own rows.
std::vector<TextItem> pageTexts(const HtmlNode* root, const std::set<const HtmlNode*>& passOver)
{
    std::vector<TextItem> items;
    const HtmlNode* node = root;
    while (node != nullptr) {
        const bool enter = !isHidden(node) && !passOver.contains(node);
        if (enter && isText(node)) {
            std::string text = collapsedText(node);
            if (!text.empty())
                items.push_back({node, std::move(text)});
        }
        node = nextInOrder(node, root, enter);
    }
    return items;
}

// The first label of each field that gives it a value wins. The value is the
// rest of the label's text, or the next cell when the label fills its cell,
// or else the next text of the page.
void readTeamFields(const std::vector<TextItem>& items, TTeam& team, std::set<TeamLabel>& given)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::optional<LabelledText> labelled = labelledText(items[i].text);
        if (!labelled || given.contains(labelled->label))
            continue;
        LabelValue value{labelled->value, {}, {}};
        if (value.value.empty()) {
            const HtmlNode* cell = enclosingCell(items[i].node);
            if (cell != nullptr &&
                normalisedWord(textUpTo(cell, LongestHeading)) == normalisedWord(items[i].text)) {
                if (const HtmlNode* next = nextCell(cell)) {
                    value.value = visibleText(next);
                    const HtmlNode* price = nextCell(next);
                    if (price != nullptr && looksLikePrice(textUpTo(price, LongestHeading))) {
                        value.priceText = visibleText(price);
                        if (const HtmlNode* cost = nextCell(price))
                            value.costText = visibleText(cost);
                    }
                }
            } else if (i + 1 < items.size() && !labelledText(items[i + 1].text)) {
                value.value = items[i + 1].text;
            }
        }
        if (setTeamField(labelled->label, value, team))
            given.insert(labelled->label);
    }
}

const HtmlNode* firstElementOf(const HtmlNode* root, std::initializer_list<std::string_view> names)
{
    const HtmlNode* node = root;
    while (node != nullptr) {
        const bool hidden = isHidden(node);
        if (!hidden && isElement(node)) {
            for (const std::string_view name : names) {
                if (elementName(node) == name)
                    return node;
            }
        }
        node = nextInOrder(node, root, !hidden);
    }
    return nullptr;
}

// "#FF0000", "FF0000", "#F00" or one of the sixteen HTML colour names; no
// value for anything else, which leaves the field as it was.
std::optional<TColor> pageColour(std::string_view text)
{
    text = trimmed(text);
    if (const std::optional<TColor> named = namedHtmlColour(text))
        return named;
    if (text.starts_with('#'))
        text.remove_prefix(1);
    const bool hex = std::all_of(text.begin(), text.end(), [](char c) { return hexDigitValue(c) >= 0; });
    if (!hex || (text.size() != 6 && text.size() != 3))
        return std::nullopt;
    std::string rgb;
    if (text.size() == 3) {
        for (const char c : text)
            rgb += std::string(2, c);
    } else {
        rgb = text;
    }
    const std::string_view digits = rgb;
    const auto pair = [&](std::size_t at) { return static_cast<TColor>(HexToInt(digits.substr(at, 2))); };
    return pair(0) | (pair(2) << 8) | (pair(4) << 16);
}

// One property of a style attribute ("font-family: Verdana, sans-serif").
std::string styleProperty(const HtmlNode* element, std::string_view property)
{
    const std::string style = attribute(element, "style");
    std::size_t start = 0;
    while (start < style.size()) {
        const std::size_t end = std::min(style.find(';', start), style.size());
        const std::string_view declaration = std::string_view(style).substr(start, end - start);
        const std::size_t colon = declaration.find(':');
        if (colon != std::string_view::npos &&
            equalsIgnoringCase(trimmed(declaration.substr(0, colon)), property))
            return std::string(trimmed(declaration.substr(colon + 1)));
        start = end + 1;
    }
    return {};
}

std::string firstFace(std::string_view faces)
{
    faces = trimmed(faces.substr(0, faces.find(',')));
    if (faces.size() >= 2 && (faces.front() == '"' || faces.front() == '\'') && faces.back() == faces.front())
        faces = trimmed(faces.substr(1, faces.size() - 2));
    return std::string(faces);
}

void setColour(const HtmlNode* element, const char* attributeName, std::string_view styleName, TColor& field)
{
    if (element == nullptr)
        return;
    if (const std::optional<TColor> colour = pageColour(attribute(element, attributeName)))
        field = *colour;
    else if (const std::optional<TColor> styled = pageColour(styleProperty(element, styleName)))
        field = *styled;
}

void setFace(const HtmlNode* element, std::string& field)
{
    if (element == nullptr)
        return;
    const std::string face = firstFace(styleProperty(element, "font-family"));
    if (!face.empty())
        field = face;
}

// The look the page states on its body, its roster table and that table's
// heading cells; the rest keeps the new team's look.
void readPageLook(const HtmlNode* root, const std::optional<RosterTable>& roster, TTeam& team)
{
    const HtmlNode* body = firstElementOf(root, {"body"});
    setColour(body, "bgcolor", "background-color", team.BackgroundColor);
    setColour(body, "text", "color", team.TableFontColor);
    setFace(body, team.HeadingFontName);
    setFace(body, team.TableFontName);
    if (!roster)
        return;
    setColour(roster->table, "bgcolor", "background-color", team.TableColor);
    setColour(roster->table, "text", "color", team.TableFontColor);
    setFace(roster->table, team.TableFontName);
    if (roster->headingRow != nullptr) {
        setColour(roster->headingRow, "bgcolor", "background-color", team.HeadingsColor);
        const std::vector<PlacedCell> cells = cellsOf(roster->headingRow);
        if (!cells.empty())
            setColour(cells.front().node, "bgcolor", "background-color", team.HeadingsColor);
    }
}

// A table whose first row names an opponent, or a result and a score, is the
// match record.
struct MatchTable
{
    const HtmlNode* table = nullptr;
    std::vector<const HtmlNode*> rows;
};

std::optional<MatchTable> findMatchTable(const std::vector<const HtmlNode*>& tables, const HtmlNode* roster)
{
    for (const HtmlNode* table : tables) {
        if (table == roster)
            continue;
        std::vector<const HtmlNode*> rows = elementsNamed(table, "tr", "table");
        if (rows.empty())
            continue;
        std::set<std::string> headings;
        for (const PlacedCell& cell : cellsOf(rows.front()))
            headings.insert(normalisedWord(textUpTo(cell.node, LongestHeading)));
        if (headings.contains("opponent") || (headings.contains("result") && headings.contains("score")))
            return MatchTable{table, std::move(rows)};
    }
    return std::nullopt;
}

// The rows of the table become the grid, the first one its headings; rows
// without any text are left out, as the page writer leaves them out.
MatchRecord matchRecordOf(const MatchTable& table)
{
    MatchRecord record;
    for (const HtmlNode* row : table.rows) {
        std::vector<std::string> cells;
        bool any = false;
        for (const PlacedCell& cell : cellsOf(row)) {
            cells.push_back(visibleText(cell.node));
            any = any || !cells.back().empty();
        }
        if (any)
            record.Cells.push_back(std::move(cells));
    }
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

} // namespace

std::string ImportResult::summary() const
{
    std::string text =
        "Imported " + std::to_string(playerCount) + (playerCount == 1 ? " player" : " players");
    if (!ignoredColumns.empty()) {
        text += "; ignored columns: ";
        for (std::size_t i = 0; i < ignoredColumns.size(); ++i)
            text += (i == 0 ? "" : ", ") + ignoredColumns[i];
    }
    if (columnsFromCellClasses)
        text += "; columns named by the cells' classes";
    if (placedInPageOrder)
        text += "; player numbers above 16 or repeated, so players take slots in page order";
    return text;
}

ImportResult importRosterPage(std::string_view pageBytes)
{
    const HtmlDocument document(pageBytes);
    const HtmlNode* root = document.root();
    if (root == nullptr)
        throw ENotRosterPage("Not a roster page");

    ImportResult result;
    result.team = readerStartTeam();
    result.matchRecord = defaultMatchRecord();

    std::vector<const HtmlNode*> tables = elementsNamed(root, "table");
    const std::optional<RosterTable> roster = findRosterTable(tables);
    std::set<const HtmlNode*> passOver;
    if (roster) {
        if (roster->headingRow != nullptr)
            passOver.insert(roster->headingRow);
        std::vector<ImportedPlayer> players;
        for (const HtmlNode* row : roster->dataRows) {
            if (std::optional<ImportedPlayer> player = playerOfRow(row, roster->columns)) {
                passOver.insert(row);
                players.push_back(std::move(*player));
            }
        }
        result.placedInPageOrder = placePlayers(players, result.team);
        result.playerCount = static_cast<int>(players.size());
        result.ignoredColumns = roster->columns.ignored;
        result.columnsFromCellClasses = roster->fromClasses;
    }

    // The match record's headings ("Race", "Result") are no labels of the team.
    const std::optional<MatchTable> matchTable = findMatchTable(tables, roster ? roster->table : nullptr);
    if (matchTable)
        passOver.insert(matchTable->rows.front());

    std::set<TeamLabel> given;
    readTeamFields(pageTexts(root, passOver), result.team, given);
    if (!roster && given.empty())
        throw ENotRosterPage("Not a roster page");
    if (!given.contains(TeamLabel::TeamName)) {
        const HtmlNode* title = firstElementOf(root, {"title"});
        std::string name = title == nullptr ? std::string() : visibleText(title);
        if (name.empty()) {
            if (const HtmlNode* heading = firstElementOf(root, {"h1", "h2", "h3", "h4", "h5", "h6"}))
                name = visibleText(heading);
        }
        result.team.TeamName = name;
    }

    readPageLook(root, roster, result.team);
    if (matchTable)
        result.matchRecord = matchRecordOf(*matchTable);
    return result;
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
