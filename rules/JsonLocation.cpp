#include "JsonLocation.h"

TextPosition textPositionAt(const QByteArray& text, qsizetype offset)
{
    TextPosition position;
    const qsizetype end = std::min(offset, text.size());
    for (qsizetype i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            ++position.line;
            position.column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            // A UTF-8 continuation byte belongs to the character before it.
            ++position.column;
        }
    }
    return position;
}

namespace {

// A scan of a text known to be valid JSON (Qt has parsed it, and refuses
// nesting deeper than it can handle), following the path as it goes.
class PathScan
{
public:
    PathScan(const QByteArray& text, const JsonPath& path) : m_text(text), m_path(path) {}

    qsizetype run()
    {
        skipBlanks();
        value(0, true);
        return m_bestOffset;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    bool at(char c) const { return m_at < m_text.size() && m_text[m_at] == c; }

    // The string at the current offset, its escapes other than \uXXXX undone.
    QString string()
    {
        QByteArray bytes;
        ++m_at; // the opening quote
        while (m_at < m_text.size() && m_text[m_at] != '"') {
            if (m_text[m_at] == '\\' && m_at + 1 < m_text.size()) {
                ++m_at;
                const char escaped = m_text[m_at];
                bytes += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped == 'u' ? '\\' : escaped;
                if (escaped == 'u')
                    bytes += 'u';
            } else {
                bytes += m_text[m_at];
            }
            ++m_at;
        }
        ++m_at; // the closing quote
        return QString::fromUtf8(bytes);
    }

    void reached(std::size_t depth, qsizetype offset)
    {
        if (int(depth) > m_bestDepth) {
            m_bestDepth = int(depth);
            m_bestOffset = offset;
        }
    }

    void value(std::size_t depth, bool onPath)
    {
        if (onPath)
            reached(depth, m_at);
        if (at('{'))
            members(depth, onPath);
        else if (at('['))
            elements(depth, onPath);
        else if (at('"'))
            string();
        else
            while (m_at < m_text.size() && !at(',') && !at('}') && !at(']') && !at(' ') && !at('\n') &&
                   !at('\t') && !at('\r'))
                ++m_at;
    }

    bool stepIs(std::size_t depth, const JsonStep& step) const
    {
        return depth < m_path.size() && m_path[depth] == step;
    }

    void members(std::size_t depth, bool onPath)
    {
        ++m_at;
        skipBlanks();
        while (at('"')) {
            const qsizetype keyOffset = m_at;
            const QString key = string();
            const bool next = onPath && stepIs(depth, JsonStep(key));
            // A member is found at its key, so that is where depth + 1 is
            // reached first, before its value.
            if (next)
                reached(depth + 1, keyOffset);
            skipBlanks();
            ++m_at; // the colon
            skipBlanks();
            value(depth + 1, next);
            skipBlanks();
            if (at(','))
                ++m_at;
            skipBlanks();
        }
        ++m_at; // the closing brace
    }

    void elements(std::size_t depth, bool onPath)
    {
        ++m_at;
        skipBlanks();
        for (int index = 0; m_at < m_text.size() && !at(']'); ++index) {
            value(depth + 1, onPath && stepIs(depth, JsonStep(index)));
            skipBlanks();
            if (at(','))
                ++m_at;
            skipBlanks();
        }
        ++m_at; // the closing bracket
    }

    const QByteArray& m_text;
    const JsonPath& m_path;
    qsizetype m_at = 0;
    int m_bestDepth = -1;
    qsizetype m_bestOffset = 0;
};

} // namespace

qsizetype jsonPathOffset(const QByteArray& text, const JsonPath& path)
{
    return PathScan(text, path).run();
}

QString jsonPathText(const JsonPath& path)
{
    QString text;
    for (const JsonStep& step : path) {
        if (const auto* key = std::get_if<QString>(&step))
            text += (text.isEmpty() ? QString() : QStringLiteral(".")) + *key;
        else
            text += QStringLiteral("[%1]").arg(std::get<int>(step));
    }
    return text;
}
