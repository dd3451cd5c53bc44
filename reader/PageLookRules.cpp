#include "PageLookRules.h"

#include "LineCleanup.h"

namespace {

// The attribute's value, from after the word up to the tag's ">". Empty when
// the tag does not close on this line.
std::string_view attributeValue(const PageLine& line, std::string_view word)
{
    const std::size_t found = line.upper().find(word);
    if (found == std::string_view::npos)
        return {};
    std::string_view value = trimmed(line.raw().substr(found + word.size()));
    const std::size_t close = value.find('>');
    if (close == std::string_view::npos)
        return {};
    return trimmed(value.substr(0, close));
}

// Characters [from, from + 2) of the value, as far as it reaches.
std::string_view pairAt(std::string_view value, std::size_t from)
{
    return from < value.size() ? value.substr(from, 2) : std::string_view{};
}

void setColour(const PageLine& line, std::string_view word, TColor& field)
{
    if (const std::optional<TColor> colour = attributeColour(line, word))
        field = *colour;
}

} // namespace

std::optional<TColor> namedHtmlColour(std::string_view text)
{
    struct Named
    {
        std::string_view name;
        TColor colour;
    };
    static constexpr Named names[] = {
        {"BLACK", 0x000000},  {"SILVER", 0xC0C0C0}, {"GRAY", 0x808080},   {"WHITE", 0xFFFFFF},
        {"MAROON", 0x000080}, {"RED", 0x0000FF},    {"PURPLE", 0x800080}, {"FUCHSIA", 0xFF00FF},
        {"GREEN", 0x008000},  {"LIME", 0x00FF00},   {"OLIVE", 0x008080},  {"YELLOW", 0x00FFFF},
        {"NAVY", 0x800000},   {"BLUE", 0xFF0000},   {"TEAL", 0x808000},   {"AQUA", 0xFFFF00},
    };
    for (const Named& named : names) {
        if (equalsIgnoringCase(text, named.name))
            return named.colour;
    }
    return std::nullopt;
}

std::optional<TColor> attributeColour(const PageLine& line, std::string_view word)
{
    std::string_view value = attributeValue(line, word);
    const std::size_t blank = value.find(' ');
    if (blank != std::string_view::npos)
        value = trimmed(value.substr(0, blank));
    std::string text(trimmed(withoutQuotes(value)));
    if (const std::optional<TColor> named = namedHtmlColour(text))
        return named;
    if (text.starts_with('#'))
        text = std::string(trimmed(std::string_view(text).substr(1)));

    // The page gives red, green, blue; the value holds blue, green, red.
    std::string colourText;
    colourText.append(pairAt(text, 4));
    colourText.append(pairAt(text, 2));
    colourText.append(pairAt(text, 0));
    if (colourText.empty())
        return std::nullopt;
    return static_cast<TColor>(HexToInt(colourText));
}

std::string attributeFace(const PageLine& line)
{
    std::string_view value = attributeValue(line, "FACE=");
    if (value.starts_with('"')) {
        const std::size_t closing = value.find('"', 1);
        value =
            closing == std::string_view::npos ? std::string_view{} : trimmed(value.substr(1, closing - 1));
    }
    const std::size_t comma = value.find(',');
    if (comma != std::string_view::npos)
        value = trimmed(value.substr(0, comma));
    return std::string(value);
}

void applyPageLookRules(const PageLine& line, ScanState& state)
{
    TTeam& team = state.team;
    if (line.has("<BODY") && line.has("BGCOLOR="))
        setColour(line, "BGCOLOR=", team.BackgroundColor);
    if (line.has("<TABLE") && line.has("BGCOLOR="))
        setColour(line, "BGCOLOR=", team.TableColor);
    if (line.has("<TR") && line.has("BGCOLOR="))
        setColour(line, "BGCOLOR=", team.HeadingsColor);
    if (line.has("<BODY") && line.has("TEXT="))
        setColour(line, "TEXT=", team.TableFontColor);

    if (line.has("<FONT") && line.has("FACE=") && state.fontStage == 1) {
        team.TableFontName = attributeFace(line);
        state.fontStage = 2;
    }
    if (line.has("<FONT") && (line.has("FACE=") || line.has("COLOR=")) && state.fontStage == 0) {
        if (line.has("FACE="))
            team.HeadingFontName = attributeFace(line);
        if (line.has("COLOR="))
            setColour(line, "COLOR=", team.HeadingFontColor);
        state.fontStage = 1;
    }
}
