#include "ImportedLook.h"

#include "LineCleanup.h"
#include "PageLookRules.h"

#include <algorithm>
#include <cmath>

namespace {

// One property of a style attribute ("font-family: Verdana, sans-serif").
std::string styleProperty(std::string_view style, std::string_view property)
{
    std::size_t start = 0;
    while (start < style.size()) {
        const std::size_t end = std::min(style.find(';', start), style.size());
        const std::string_view declaration = style.substr(start, end - start);
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

std::optional<TColor> colourOf(const ElementLook& look, const std::string& attribute,
                               std::string_view styleName)
{
    if (const std::optional<TColor> colour = pageColour(attribute))
        return colour;
    return pageColour(styleProperty(look.style, styleName));
}

double relativeLuminance(TColor colour)
{
    const auto channel = [&](int shift) {
        const double value = static_cast<double>((colour >> shift) & 0xFFu) / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(0) + 0.7152 * channel(8) + 0.0722 * channel(16);
}

void setBackground(const std::optional<ElementLook>& look, TColor& field)
{
    if (!look)
        return;
    if (const std::optional<TColor> colour = colourOf(*look, look->bgcolor, "background-color"))
        field = *colour;
}

void setForeground(const ElementLook& look, TColor& field)
{
    if (const std::optional<TColor> colour = colourOf(look, look.text, "color"))
        field = *colour;
}

void setFace(const ElementLook& look, std::string& field)
{
    const std::string face = firstFace(styleProperty(look.style, "font-family"));
    if (!face.empty())
        field = face;
}

} // namespace

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

void applyPageLook(const RosterPageLook& look, TTeam& team)
{
    setBackground(look.body, team.BackgroundColor);
    setForeground(look.body, team.TableFontColor);
    setFace(look.body, team.HeadingFontName);
    setFace(look.body, team.TableFontName);
    if (!look.table)
        return;
    setBackground(look.table, team.TableColor);
    setForeground(*look.table, team.TableFontColor);
    setFace(*look.table, team.TableFontName);
    setBackground(look.headingRow, team.HeadingsColor);
    setBackground(look.headingCell, team.HeadingsColor);
}

double contrastRatio(TColor first, TColor second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool textReadsOnColours(const TTeam& team)
{
    constexpr double readable = 4.5;
    for (const TColor background : {team.BackgroundColor, team.HeadingsColor, team.TableColor}) {
        if (contrastRatio(team.TableFontColor, background) < readable)
            return false;
    }
    return true;
}
