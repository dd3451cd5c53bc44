#include "TeamGenerator.h"

#include <QStringList>
#include <array>

namespace {

// Words the reader looks for on a line; a text that holds one may be taken
// for a roster line of another kind.
const std::array<const char*, 24> readerKeywords = {
    "RACE",   "COACH",       "ROLLS",     "FACTOR", "RATING", "TREAS", "CHEER",  "APOTHECARY",
    "WIZARD", "NECROMANCER", "ALCHEMIST", "CHEF",   "COST",   "TEAM",  "RECORD", "GAME",
    "MATCH",  "POSITION",    "TABLE",     "TITLE",  "COLOR",  "TEXT=", "FACE=",  "&NBSP"};

bool holdsKeyword(const QString& text)
{
    const QString upper = text.toUpper();
    for (const char* keyword : readerKeywords)
        if (upper.contains(QLatin1String(keyword)))
            return true;
    return false;
}

const QString asciiCharacters =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                   "      -'.,:;!?$&()*+/=@_~#%");
const QString latin1Letters = QString::fromUtf8("\xc3\xa9\xc3\x9f\xc3\x98\xc3\xbc\xc3\x83\xc2\xa9");
const QString otherLetters = QString::fromUtf8("\xce\xa9\xe6\xbc\xa2\xd0\x96");

} // namespace

TeamGenerator::TeamGenerator(std::uint32_t seed, TextEncoding encoding) : m_engine(seed), m_encoding(encoding)
{
}

int TeamGenerator::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_engine);
}

bool TeamGenerator::chance(int percent)
{
    return between(1, 100) <= percent;
}

QString TeamGenerator::text(int maxLength)
{
    QString alphabet = asciiCharacters + latin1Letters;
    if (m_encoding == TextEncoding::Utf8)
        alphabet += otherLetters;
    for (;;) {
        QString result;
        const int length = between(0, maxLength);
        for (int i = 0; i < length; ++i)
            result += alphabet[between(0, static_cast<int>(alphabet.size()) - 1)];
        result = result.trimmed();
        if (result != "0" && !holdsKeyword(result))
            return result;
    }
}

QString TeamGenerator::faceName()
{
    const QStringList faces = {"MS Sans Serif", "Arial", "Times New Roman", "Courier New", "Verdana"};
    if (chance(60))
        return faces[between(0, static_cast<int>(faces.size()) - 1)];
    for (;;) {
        QString face;
        const int length = between(1, 31);
        for (int i = 0; i < length; ++i)
            face += QChar(chance(15) ? ' ' : 'a' + between(0, 25));
        face = face.trimmed();
        if (!face.isEmpty() && !holdsKeyword(face))
            return face;
    }
}

std::string TeamGenerator::bytes(const QString& text) const
{
    return encodeText(text, m_encoding);
}

TPlayer TeamGenerator::player()
{
    TPlayer p;
    const bool present = chance(75);
    const bool withTexts = present || chance(20);
    if (withTexts) {
        p.PlayerName = bytes(text(24));
        p.Position = bytes(text(16));
        p.Skills = bytes(text(60));
        p.Injuries = bytes(text(12));
        p.PlayerCost = bytes(text(8));
    }
    const auto stat = [this] { return between(-3, 120); };
    p.MA = present ? (chance(50) ? between(1, 10) : between(-5, 99)) : 0;
    if (present && p.MA == 0)
        p.MA = 1;
    p.ST = stat();
    p.AG = stat();
    p.AV = stat();
    p.Completions = stat();
    p.Touchdowns = stat();
    p.Interceptions = stat();
    p.Casualties = stat();
    p.MVPs = stat();
    p.SPP = stat();
    return p;
}

MatchRecord TeamGenerator::matchRecord()
{
    MatchRecord record;
    record.ColCount = between(1, 9);
    const int games = between(0, 5);
    record.RowCount = games + 2;
    record.FixedRows = 1;
    record.Cells.assign(static_cast<std::size_t>(record.RowCount),
                        std::vector<std::string>(static_cast<std::size_t>(record.ColCount)));
    // Headings are never empty: the reader drops an empty heading beyond the
    // columns it has seen so far.
    for (auto& heading : record.Cells[0]) {
        QString title;
        while (title.isEmpty())
            title = text(12);
        heading = bytes(title);
    }
    for (int row = 1; row <= games; ++row) {
        auto& cells = record.Cells[static_cast<std::size_t>(row)];
        while (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); }))
            for (auto& cell : cells)
                cell = chance(70) ? bytes(text(20)) : std::string();
    }
    return record;
}

GeneratedTeam TeamGenerator::plainTeam()
{
    GeneratedTeam generated;
    TTeam& team = generated.team;
    team.TeamName = bytes(text(30));
    team.Race = bytes(text(16));
    team.Coach = bytes(text(20));
    team.Treasury = bytes(text(10));
    team.TeamCost = bytes(text(10));
    team.ReRolls = between(-1, 12);
    team.FanFactor = between(-1, 20);
    team.TeamRating = between(-1, 400);
    team.AssistantCoaches = between(-2, 10);
    team.Cheerleaders = between(-2, 10);
    team.HasApothecary = chance(50);
    team.HasWizard = chance(50);
    const auto price = [this] { return "x $" + std::to_string(between(0, 200)) + "k ="; };
    const auto cost = [this] { return chance(50) ? bytes(text(8)) : std::string(); };
    team.ReRollPriceText = price();
    team.FanFactorPriceText = price();
    team.AssistantCoachPriceText = price();
    team.CheerleaderPriceText = price();
    team.ApothecaryPriceText = price();
    team.WizardPriceText = price();
    team.ReRollCostText = cost();
    team.FanFactorCostText = cost();
    team.AssistantCoachCostText = cost();
    team.CheerleaderCostText = cost();
    team.ApothecaryCostText = cost();
    team.WizardCostText = cost();
    for (TPlayer& p : team.Players)
        p = player();
    team.BackgroundColor = static_cast<TColor>(between(0, 0xFFFFFF));
    team.TableColor = static_cast<TColor>(between(0, 0xFFFFFF));
    team.HeadingsColor = static_cast<TColor>(between(0, 0xFFFFFF));
    team.TableFontColor = static_cast<TColor>(between(0, 0xFFFFFF));
    team.HeadingFontColor = static_cast<TColor>(between(0, 0xFFFFFF));
    team.TableFontName = bytes(faceName());
    team.HeadingFontName = bytes(faceName());
    generated.record = matchRecord();
    return generated;
}

std::string TeamGenerator::withKeyword(const std::string& text)
{
    static const std::array<const char*, 6> phrases = {"Rolls Reavers", "Fan Factory",   "Rating Kings",
                                                       "RE-ROLLS",      "fan factor 12", "Team Rating"};
    const std::string phrase = phrases[static_cast<std::size_t>(between(0, phrases.size() - 1))];
    switch (between(0, 2)) {
    case 0:
        return phrase;
    case 1:
        return phrase + (text.empty() ? "" : " " + text);
    default:
        return (text.empty() ? "" : text + " ") + phrase;
    }
}

void TeamGenerator::addCountKeywords(TTeam& team)
{
    for (std::string* field : {&team.TeamName, &team.Race, &team.Coach})
        if (chance(50))
            *field = withKeyword(*field);
    for (TPlayer& p : team.Players)
        for (std::string* field : {&p.PlayerName, &p.Position, &p.Skills, &p.Injuries})
            if (chance(10))
                *field = withKeyword(*field);
}

namespace {

// Pieces that the writer passes on as they stand and the reader may take for
// mark-up, a blank, a keyword or a line of another kind.
const std::array<const char*, 22> hostilePieces = {"<B>",
                                                   "</TD>",
                                                   "<TR>",
                                                   "&amp;",
                                                   "&lt;",
                                                   "&nbsp",
                                                   "&nbsp;",
                                                   "|",
                                                   "\"",
                                                   "\r\n",
                                                   "\t",
                                                   "  ",
                                                   "0",
                                                   "Race: ",
                                                   "Match Record",
                                                   "Coached By: ",
                                                   "#FF0000",
                                                   "<FONT FACE=\"",
                                                   "-->",
                                                   "--!>",
                                                   "\xf0\x9f\x8f\x88",
                                                   "\xe2\x82\xac"};

} // namespace

std::string TeamGenerator::hostileText()
{
    // Long, but five of them still fit a line the reader keeps whole.
    if (chance(10))
        return std::string(static_cast<std::size_t>(between(200, 700)), 'x');
    QString result;
    const int pieces = between(0, 4);
    for (int i = 0; i < pieces; ++i)
        result += chance(50) ? text(12) : QString::fromUtf8(hostilePieces[std::size_t(between(0, 21))]);
    return bytes(result);
}
