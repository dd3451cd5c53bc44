#pragma once

#include <string>
#include <string_view>

// A text as the parser hands it over, none as the empty text.
inline std::string_view parserText(const unsigned char* text)
{
    return text == nullptr ? std::string_view{} : std::string_view(reinterpret_cast<const char*>(text));
}

// The attributes of one start tag, as the parser hands them over: valid only
// during the call that receives them.
class TagAttributes
{
public:
    explicit TagAttributes(const unsigned char* const* pairs) : m_pairs(pairs) {}

    // The attribute's value, or the empty text when the tag has none.
    std::string_view value(std::string_view name) const
    {
        const unsigned char* const* pair = find(name);
        return pair == nullptr ? std::string_view{} : parserText(pair[1]);
    }
    bool has(std::string_view name) const { return find(name) != nullptr; }

private:
    // Inline, as most elements have no attributes to look through.
    const unsigned char* const* find(std::string_view name) const
    {
        for (const unsigned char* const* pair = m_pairs; pair != nullptr && pair[0] != nullptr; pair += 2) {
            if (parserText(pair[0]) == name)
                return pair;
        }
        return nullptr;
    }

    const unsigned char* const* m_pairs;
};

// What a reader of the page sees, in document order. Element names come
// lower-cased; every start has its end, also for elements the page leaves open.
class HtmlEvents
{
public:
    virtual ~HtmlEvents() = default;
    virtual void startElement(std::string_view name, const TagAttributes& attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    // The text between two tags with every run of blanks (the no-break space
    // included) made one blank, and trimmed; never empty.
    virtual void textRun(std::string_view text) = 0;
};

// The longest text run passed on; the rest of a longer run is dropped, so no
// run of text makes the stream hold more than this.
constexpr std::size_t LongestTextRun = 8192;

// Streams the page through libxml2's HTML push parser, which mends what
// browsers mend (unclosed cells, stray end tags, entities, comments), without
// building a tree: memory stays small whatever the page's size. Bytes that
// are valid UTF-8 are read as UTF-8, any others as Latin-1, whatever the
// page's meta tags claim; texts come out as UTF-8. Hidden elements (scripts,
// styles, the choices of a drop-down list, anything styled or marked as
// hidden) are passed over with all they hold. An exception thrown by an event
// stops the parse and comes out of this call.
void streamHtml(std::string_view bytes, HtmlEvents& events);

// Makes every run of blanks in the text one blank, and trims it; the parser
// leaves "&nbsp" without its ";" as it stands, which browsers, and the pages of
// older tools that count on them, take for a no-break space.
void collapseBlanks(std::string& text);
