#include "HtmlDocument.h"

#include "LineCleanup.h"
#include "TextEncoding.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <climits>

namespace {

const char* asChars(const xmlChar* text)
{
    return reinterpret_cast<const char*>(text);
}

bool isBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Style attributes are compared without blanks and case: "display: none".
std::string squeezedUpper(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (!isBlank(static_cast<unsigned char>(c)))
            out.push_back(c);
    }
    return upperCased(out);
}

} // namespace

HtmlDocument::HtmlDocument(std::string_view bytes)
{
    // The parser takes an int size; a page beyond that is cut, which no
    // roster page comes near.
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const char* encoding = detectEncoding(bytes) == TextEncoding::Utf8 ? "UTF-8" : "ISO-8859-1";
    m_doc = htmlReadMemory(bytes.data(), size, nullptr, encoding,
                           HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                               HTML_PARSE_NOBLANKS | HTML_PARSE_IGNORE_ENC | HTML_PARSE_COMPACT);
}

HtmlDocument::~HtmlDocument()
{
    if (m_doc != nullptr)
        xmlFreeDoc(m_doc);
}

const HtmlNode* HtmlDocument::root() const
{
    return m_doc == nullptr ? nullptr : xmlDocGetRootElement(m_doc);
}

bool isElement(const HtmlNode* node)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE;
}

bool isElement(const HtmlNode* node, std::string_view name)
{
    return isElement(node) && elementName(node) == name;
}

bool isText(const HtmlNode* node)
{
    return node != nullptr && (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE);
}

std::string_view elementName(const HtmlNode* node)
{
    return node->name == nullptr ? std::string_view{} : std::string_view(asChars(node->name));
}

std::string attribute(const HtmlNode* node, const char* name)
{
    if (!isElement(node))
        return {};
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr)
        return {};
    std::string text(asChars(value));
    xmlFree(value);
    return text;
}

bool isHidden(const HtmlNode* node)
{
    if (!isElement(node))
        return node != nullptr && node->type == XML_COMMENT_NODE;
    const std::string_view name = elementName(node);
    if (name == "script" || name == "style" || name == "select" || name == "option" || name == "template" ||
        name == "noscript" || name == "textarea")
        return true;
    // Most elements carry no attribute at all; the others are looked at
    // without copying any value but the style's.
    for (const xmlAttr* property = node->properties; property != nullptr; property = property->next) {
        const std::string_view propertyName = asChars(property->name);
        if (propertyName == "hidden")
            return true;
        if (propertyName == "style") {
            const std::string style = squeezedUpper(attribute(node, "style"));
            if (holds(style, "DISPLAY:NONE") || holds(style, "VISIBILITY:HIDDEN"))
                return true;
        }
    }
    return false;
}

const HtmlNode* firstChild(const HtmlNode* node)
{
    return node == nullptr ? nullptr : node->children;
}

const HtmlNode* nextSibling(const HtmlNode* node)
{
    return node == nullptr ? nullptr : node->next;
}

const HtmlNode* parent(const HtmlNode* node)
{
    return node == nullptr ? nullptr : node->parent;
}

const HtmlNode* nextInOrder(const HtmlNode* node, const HtmlNode* top, bool descend)
{
    if (descend && node->children != nullptr)
        return node->children;
    while (node != nullptr && node != top) {
        if (node->next != nullptr)
            return node->next;
        node = node->parent;
    }
    return nullptr;
}

std::string collapsedText(const HtmlNode* textNode)
{
    std::string out;
    if (textNode == nullptr || textNode->content == nullptr)
        return out;
    const std::string_view text(asChars(textNode->content));
    // The parser leaves "&nbsp" without its ";" as it stands; browsers, and
    // the pages of older tools that count on them, take it for a no-break space.
    static constexpr std::string_view bareNbsp = "&nbsp";
    bool blank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            blank = true;
            ++i;
            continue;
        }
        if (text.substr(i, bareNbsp.size()) == bareNbsp) {
            blank = true;
            i += bareNbsp.size() - 1;
            continue;
        }
        if (isBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out.push_back(' ');
        blank = false;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::vector<std::string> textRuns(const HtmlNode* element)
{
    std::vector<std::string> runs;
    const HtmlNode* node = firstChild(element);
    while (node != nullptr) {
        const bool hidden = isHidden(node);
        if (!hidden && isText(node)) {
            std::string text = collapsedText(node);
            if (!text.empty())
                runs.push_back(std::move(text));
        }
        node = nextInOrder(node, element, !hidden);
    }
    return runs;
}

std::string visibleText(const HtmlNode* element)
{
    std::string text;
    for (const std::string& run : textRuns(element)) {
        if (!text.empty())
            text.push_back(' ');
        text += run;
    }
    return text;
}

std::vector<const HtmlNode*> elementsNamed(const HtmlNode* top, std::string_view name,
                                           std::string_view stopAt)
{
    std::vector<const HtmlNode*> found;
    const HtmlNode* node = firstChild(top);
    while (node != nullptr) {
        const bool hidden = isHidden(node);
        if (!hidden && isElement(node, name))
            found.push_back(node);
        const bool enter = !hidden && !(isElement(node) && !stopAt.empty() && elementName(node) == stopAt);
        node = nextInOrder(node, top, enter);
    }
    return found;
}
