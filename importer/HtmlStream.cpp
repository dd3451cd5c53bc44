#include "HtmlStream.h"

#include "ByteText.h"
#include "LineCleanup.h"
#include "TextEncoding.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <climits>
#include <exception>

namespace {

bool isBlank(unsigned char c)
{
    return c <= ' ';
}

bool mayStartBlank(unsigned char c)
{
    return isBlank(c) || c == 0xC2 || c == '&';
}

// The length of the blank the text starts with at the place, or 0.
std::size_t blankAt(std::string_view text, std::size_t at)
{
    static constexpr std::string_view bareNbsp = "&nbsp";
    const auto c = static_cast<unsigned char>(text[at]);
    if (isBlank(c))
        return 1;
    if (c == 0xC2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) == 0xA0)
        return 2;
    if (c == '&' && text.substr(at, bareNbsp.size()) == bareNbsp)
        return bareNbsp.size();
    return 0;
}

// Style attributes are compared without blanks and case: "display: none".
std::string squeezedUpper(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (!isBlank(static_cast<unsigned char>(c)))
            out.push_back(asciiUpper(c));
    }
    return out;
}

bool hides(std::string_view name, const TagAttributes& attributes)
{
    if (name == "script" || name == "style" || name == "select" || name == "option" || name == "template" ||
        name == "noscript" || name == "textarea")
        return true;
    if (attributes.has("hidden"))
        return true;
    const std::string_view styleText = attributes.value("style");
    if (styleText.empty())
        return false;
    const std::string style = squeezedUpper(styleText);
    return holds(style, "DISPLAY:NONE") || holds(style, "VISIBILITY:HIDDEN");
}

// Browsers show what follows "</body>" and "</html>" as part of the body, as
// the parser does when it reads a whole page at once; its push mode drops all
// after the document's end instead. Blanking those two end tags keeps it in
// the body, where pages of older tools put their match records.
void blankDocumentEndTags(std::string& chunk)
{
    for (std::size_t at = chunk.find("</"); at != std::string::npos; at = chunk.find("</", at + 2)) {
        const std::string_view name = std::string_view(chunk).substr(at + 2, 4);
        if (!equalsIgnoringCase(name, "html") && !equalsIgnoringCase(name, "body"))
            continue;
        std::size_t end = at + 6;
        while (end < chunk.size() && isBlank(static_cast<unsigned char>(chunk[end])))
            ++end;
        if (end < chunk.size() && chunk[end] == '>')
            std::fill(chunk.begin() + static_cast<std::ptrdiff_t>(at),
                      chunk.begin() + static_cast<std::ptrdiff_t>(end + 1), ' ');
    }
}

// Bytes fed to the parser at a time.
constexpr std::size_t ChunkSize = 64 * 1024;

// Between the parser's callbacks and the events: gathers the characters of a
// text run, counts the open elements and hides what the reader does not see.
class SaxBridge
{
public:
    SaxBridge(HtmlEvents& events, htmlParserCtxtPtr parser) : m_events(events), m_parser(parser) {}

    static void onStart(void* context, const xmlChar* name, const xmlChar** attributes)
    {
        bridgeOf(context).guarded([&](SaxBridge& bridge) { bridge.start(parserText(name), attributes); });
    }

    static void onEnd(void* context, const xmlChar* name)
    {
        bridgeOf(context).guarded([&](SaxBridge& bridge) { bridge.end(parserText(name)); });
    }

    static void onCharacters(void* context, const xmlChar* text, int length)
    {
        bridgeOf(context).guarded([&](SaxBridge& bridge) {
            bridge.characters(std::string_view(reinterpret_cast<const char*>(text),
                                               static_cast<std::size_t>(std::max(length, 0))));
        });
    }

    void finish()
    {
        guarded([](SaxBridge& bridge) { bridge.endRun(); });
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

    bool failed() const { return m_failure != nullptr; }

private:
    static SaxBridge& bridgeOf(void* context)
    {
        return *static_cast<SaxBridge*>(static_cast<htmlParserCtxtPtr>(context)->_private);
    }

    // No exception may unwind through the parser's C frames: the first one is
    // kept, the parser stopped, and every later callback ignored.
    template <typename Work> void guarded(Work work)
    {
        if (m_failure)
            return;
        try {
            work(*this);
        } catch (...) {
            m_failure = std::current_exception();
            xmlStopParser(m_parser);
        }
    }

    void start(std::string_view name, const xmlChar** pairs)
    {
        endRun();
        ++m_depth;
        if (m_hiddenFrom != 0)
            return;
        const TagAttributes attributes(pairs);
        if (hides(name, attributes)) {
            m_hiddenFrom = m_depth;
            return;
        }
        m_events.startElement(name, attributes);
    }

    void end(std::string_view name)
    {
        endRun();
        const bool hidden = m_hiddenFrom != 0;
        if (m_depth == m_hiddenFrom)
            m_hiddenFrom = 0;
        m_depth = m_depth > 0 ? m_depth - 1 : 0;
        if (!hidden)
            m_events.endElement(name);
    }

    void characters(std::string_view text)
    {
        if (m_hiddenFrom != 0)
            return;
        m_run.append(text.substr(0, LongestTextRun - std::min(m_run.size(), LongestTextRun)));
    }

    // The run is collapsed where it lies: its characters need no second copy.
    void endRun()
    {
        if (m_run.empty())
            return;
        collapseBlanks(m_run);
        if (!m_run.empty())
            m_events.textRun(m_run);
        m_run.clear();
    }

    HtmlEvents& m_events;
    htmlParserCtxtPtr m_parser;
    std::string m_run;
    std::size_t m_depth = 0;
    // The depth of the hidden element the parse is in, or 0.
    std::size_t m_hiddenFrom = 0;
    std::exception_ptr m_failure;
};

} // namespace

void collapseBlanks(std::string& text)
{
    // Reads ahead of where it writes: a blank written stands for at least one
    // character read and dropped.
    const std::string_view in = text;
    char* const kept = text.data();
    std::size_t out = 0;
    bool blank = false;
    for (std::size_t at = 0; at < in.size();) {
        if (const std::size_t blankSize = blankAt(in, at); blankSize != 0) {
            blank = true;
            at += blankSize;
            continue;
        }
        if (blank && out != 0)
            kept[out++] = ' ';
        blank = false;
        // The characters up to the next that may start a blank, as they are.
        do
            kept[out++] = in[at++];
        while (at < in.size() && !mayStartBlank(static_cast<unsigned char>(in[at])));
    }
    text.resize(out);
}

void streamHtml(std::string_view bytes, HtmlEvents& events)
{
    htmlSAXHandler handler{};
    handler.startElement = &SaxBridge::onStart;
    handler.endElement = &SaxBridge::onEnd;
    handler.characters = &SaxBridge::onCharacters;
    handler.ignorableWhitespace = &SaxBridge::onCharacters;

    const xmlCharEncoding encoding =
        detectEncoding(bytes) == TextEncoding::Utf8 ? XML_CHAR_ENCODING_UTF8 : XML_CHAR_ENCODING_8859_1;
    htmlParserCtxtPtr parser = htmlCreatePushParserCtxt(&handler, nullptr, nullptr, 0, nullptr, encoding);
    if (parser == nullptr)
        throw std::bad_alloc();
    SaxBridge bridge(events, parser);
    parser->_private = &bridge;
    htmlCtxtUseOptions(parser, HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                   HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC);
    std::string chunk;
    for (std::size_t at = 0; at < bytes.size() && !bridge.failed();) {
        std::size_t end = std::min(at + ChunkSize, bytes.size());
        // No chunk ends inside a tag short enough to be an end tag of the
        // document. Only the chunk's last bytes are searched: a search back
        // through a page without tags would make the reading quadratic.
        const std::size_t tail = std::max(at + 1, end - std::min<std::size_t>(end, 15));
        if (const std::size_t lastTag = bytes.substr(tail, end - tail).rfind('<');
            end < bytes.size() && lastTag != std::string_view::npos)
            end = tail + lastTag;
        chunk.assign(bytes.substr(at, end - at));
        blankDocumentEndTags(chunk);
        htmlParseChunk(parser, chunk.data(), static_cast<int>(chunk.size()), 0);
        at = end;
    }
    if (!bridge.failed())
        htmlParseChunk(parser, nullptr, 0, 1);
    htmlFreeParserCtxt(parser);
    bridge.finish();
}
