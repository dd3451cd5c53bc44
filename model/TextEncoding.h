#pragma once

#include <QString>
#include <string>
#include <string_view>

// The encoding a page's bytes are shown in. A page whose file is valid UTF-8 as
// a whole is UTF-8; any other page is Latin-1. A new team writes UTF-8.
enum class TextEncoding
{
    Utf8,
    Latin1
};

TextEncoding detectEncoding(std::string_view fileBytes);

// Broken UTF-8 sequences inside a field (a line cut at its length limit, a
// fixed offset into a multi-byte character) become U+FFFD.
QString decodeText(std::string_view bytes, TextEncoding encoding);
std::string encodeText(const QString& text, TextEncoding encoding);
