#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;
using HtmlNode = _xmlNode;

// A page parsed by libxml2's HTML parser, which mends what browsers mend
// (unclosed cells, stray end tags, entities, comments). Texts come out as
// UTF-8 whatever the page's encoding.
class HtmlDocument
{
public:
    // Bytes that are valid UTF-8 are read as UTF-8, any others as Latin-1,
    // whatever the page's own meta tags claim. Never fails: the parser makes
    // a document of any bytes.
    explicit HtmlDocument(std::string_view bytes);
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    // The root element, or null for a page without any content.
    const HtmlNode* root() const;

private:
    _xmlDoc* m_doc = nullptr;
};

// Element names come lower-cased from the parser.
bool isElement(const HtmlNode* node);
bool isElement(const HtmlNode* node, std::string_view name);
bool isText(const HtmlNode* node);
std::string_view elementName(const HtmlNode* node);
// The attribute's value, or the empty text when the element has none.
std::string attribute(const HtmlNode* node, const char* name);
// An element a reader of the page does not see: scripts, styles, the choices
// of a drop-down list, and anything styled or marked as hidden.
bool isHidden(const HtmlNode* node);

const HtmlNode* firstChild(const HtmlNode* node);
const HtmlNode* nextSibling(const HtmlNode* node);
const HtmlNode* parent(const HtmlNode* node);

// The node after this one in document order, within top's subtree; with
// descend false the node's own children are passed over. Null at the end.
// The walk needs no stack, so no nesting depth can exhaust one.
const HtmlNode* nextInOrder(const HtmlNode* node, const HtmlNode* top, bool descend = true);

// The text of one text node with every run of blanks (the no-break space
// included) made one blank, and trimmed.
std::string collapsedText(const HtmlNode* textNode);

// The visible texts inside an element, one per text node that holds any.
std::vector<std::string> textRuns(const HtmlNode* element);
// The visible text of an element, its runs joined by blanks.
std::string visibleText(const HtmlNode* element);

// Visible elements with this name under top (top itself excluded), in
// document order. Elements named stopAt are not entered: the rows of a table
// are found without the rows of tables inside it.
std::vector<const HtmlNode*> elementsNamed(const HtmlNode* top, std::string_view name,
                                           std::string_view stopAt = {});
