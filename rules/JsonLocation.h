#pragma once

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

// Where something stands in a JSON text, so that a file's reader can say
// "line 12, column 5" where Qt's JSON classes give a byte offset or nothing.

struct TextPosition
{
    int line = 1;   // from 1
    int column = 1; // from 1, in characters

    bool operator==(const TextPosition&) const = default;
};

// The line and column of a byte offset in UTF-8 text; an offset past the end
// stands for the end.
TextPosition textPositionAt(const QByteArray& text, qsizetype offset);

// A member's key or an array's index, from the document down.
using JsonStep = std::variant<QString, int>;
using JsonPath = std::vector<JsonStep>;

// The offset of what the path names in a text Qt has parsed without error:
// a member's key, or an array element's first character. Where the path
// goes further than the text, the offset of the deepest part that is there.
qsizetype jsonPathOffset(const QByteArray& text, const JsonPath& path);

// "races[0].positions[2].MA"
QString jsonPathText(const JsonPath& path);
