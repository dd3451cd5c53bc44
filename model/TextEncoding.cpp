#include "TextEncoding.h"

#include <algorithm>

#include <cstdint>
#include <cstring>

namespace {

struct Utf8Step
{
    char32_t codePoint; // U+FFFD for a broken sequence
    std::size_t length; // bytes consumed, at least 1
    bool valid = true;
};

// Reads one character at pos. A broken sequence yields one U+FFFD for its
// maximal subpart: the lead byte and the continuation bytes that could still
// have completed it.
Utf8Step readUtf8(std::string_view bytes, std::size_t pos)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80)
        return {lead, 1};

    int continuations = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {U'\uFFFD', 1, false};
    }

    std::size_t length = 1;
    for (int i = 0; i < continuations; ++i) {
        if (pos + length >= bytes.size())
            return {U'\uFFFD', length, false};
        const unsigned char next = byteAt(pos + length);
        if (next < low || next > high)
            return {U'\uFFFD', length, false};
        value = (value << 6) | (next & 0x3F);
        ++length;
        low = 0x80;
        high = 0xBF;
    }
    return {value, length};
}

} // namespace

TextEncoding detectEncoding(std::string_view fileBytes)
{
    std::size_t pos = 0;
    while (pos < fileBytes.size()) {
        // Eight ASCII bytes at a time: no byte of the word has its top bit set.
        std::uint64_t eight = 0;
        if (fileBytes.size() - pos >= sizeof eight) {
            std::memcpy(&eight, fileBytes.data() + pos, sizeof eight);
            if ((eight & 0x8080808080808080u) == 0) {
                pos += sizeof eight;
                continue;
            }
        }
        const Utf8Step step = readUtf8(fileBytes, pos);
        if (!step.valid)
            return TextEncoding::Latin1;
        pos += step.length;
    }
    return TextEncoding::Utf8;
}

QString decodeText(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));

    // Most texts of a roster are plain ASCII, which both encodings read alike.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));

    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const Utf8Step step = readUtf8(bytes, pos);
        const char32_t codePoint = step.codePoint;
        if (QChar::requiresSurrogates(codePoint)) {
            text.append(QChar(QChar::highSurrogate(codePoint)));
            text.append(QChar(QChar::lowSurrogate(codePoint)));
        } else {
            text.append(QChar(static_cast<char16_t>(codePoint)));
        }
        pos += step.length;
    }
    return text;
}

std::string encodeText(const QString& text, TextEncoding encoding)
{
    const QByteArray bytes = encoding == TextEncoding::Latin1 ? text.toLatin1() : text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
