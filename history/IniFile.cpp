#include "IniFile.h"

#include "ByteText.h"

#include "Errors.h"

#include <QFile>
#include <QSaveFile>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

struct Line
{
    std::string text;
    std::string end; // "\r\n", "\n", or empty for a last line without one
};

// The lines of a file, each with its own line end, so that lines this class
// does not change are written back byte for byte.
struct IniText
{
    std::vector<Line> lines;
    std::string newLine = "\r\n"; // for added lines: the file's own line end, if it has one

    static IniText parse(std::string_view bytes)
    {
        IniText result;
        bool newLineSeen = false;
        while (!bytes.empty()) {
            const std::size_t lf = bytes.find('\n');
            Line line;
            if (lf == std::string_view::npos) {
                line.text = bytes;
                bytes = {};
            } else {
                const bool crlf = lf > 0 && bytes[lf - 1] == '\r';
                line.text = bytes.substr(0, crlf ? lf - 1 : lf);
                line.end = crlf ? "\r\n" : "\n";
                bytes.remove_prefix(lf + 1);
                if (!newLineSeen) {
                    result.newLine = line.end;
                    newLineSeen = true;
                }
            }
            result.lines.push_back(std::move(line));
        }
        return result;
    }

    std::string bytes() const
    {
        std::string result;
        for (const Line& line : lines)
            result += line.text + line.end;
        return result;
    }

    void insert(std::size_t at, std::string text)
    {
        if (at > 0 && lines[at - 1].end.empty())
            lines[at - 1].end = newLine;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), newLine});
    }
};

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The name of a section header line "[name]", or nothing for other lines.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trimmed(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trimmed(line.substr(0, line.find(']')));
}

struct Entry
{
    std::string_view key;
    std::string_view value;
};

// A line without "=" is all key and has no value.
Entry splitEntry(std::string_view line, IniFile::KeyEnd keyEnd)
{
    const std::size_t equals = keyEnd == IniFile::KeyEnd::FirstEquals ? line.find('=') : line.rfind('=');
    if (equals == std::string_view::npos)
        return {trimmed(line), {}};
    return {trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// The lines after a section's header up to the next header.
struct SectionRange
{
    std::size_t first;
    std::size_t end;
};

std::optional<SectionRange> findSection(const std::vector<Line>& lines, std::string_view name)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto header = sectionName(lines[i].text);
        if (!header || !equalsIgnoringCase(*header, name))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end].text))
            ++end;
        return SectionRange{i + 1, end};
    }
    return std::nullopt;
}

// The entries of a section: its lines that are not blank and have a key.
template <typename Visit>
void forEachEntry(const std::vector<Line>& lines, SectionRange section, IniFile::KeyEnd keyEnd, Visit visit)
{
    for (std::size_t i = section.first; i < section.end; ++i) {
        const Entry entry = splitEntry(lines[i].text, keyEnd);
        if (!entry.key.empty() && !visit(i, entry))
            return;
    }
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, SectionRange section, std::string_view key,
                                   IniFile::KeyEnd keyEnd)
{
    std::optional<std::size_t> found;
    forEachEntry(lines, section, keyEnd, [&](std::size_t index, const Entry& entry) {
        if (equalsIgnoringCase(entry.key, key))
            found = index;
        return !found;
    });
    return found;
}

// Decimal with an optional sign, or "0x"/"0X" and up to eight hexadecimal
// digits taken as a 32-bit pattern. Anything else, out-of-range values
// included, counts as 0.
int parseInteger(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && asciiLower(text[1]) == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || rest != text.data() + text.size())
        return 0;
    if (base == 16) {
        if (magnitude > UINT32_MAX)
            return 0;
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    const std::uint64_t limit = negative ? std::uint64_t{INT32_MAX} + 1 : std::uint64_t{INT32_MAX};
    if (magnitude > limit)
        return 0;
    const auto value = static_cast<std::int64_t>(magnitude);
    return static_cast<int>(negative ? -value : value);
}

std::string writeFailure(const QString& path)
{
    return "Unable to write to " + path.toStdString();
}

// The file's bytes; nothing when it is missing or cannot be read.
std::optional<std::string> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

struct LoadedSection
{
    IniText text;
    SectionRange range;
};

// The file's lines and where the section lies in them, when both exist.
std::optional<LoadedSection> readSection(const QString& path, std::string_view section)
{
    const auto bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    IniText text = IniText::parse(*bytes);
    const auto range = findSection(text.lines, section);
    if (!range)
        return std::nullopt;
    return LoadedSection{std::move(text), *range};
}

// The current text for a change. An existing file that cannot be read is not
// replaced: writing would lose every line in it.
IniText loadForWrite(const QString& path)
{
    if (!QFile::exists(path))
        return {};
    const auto bytes = readBytes(path);
    if (!bytes)
        throw EFileError(writeFailure(path));
    return IniText::parse(*bytes);
}

void save(const QString& path, const IniText& text)
{
    QSaveFile file(path);
    const std::string bytes = text.bytes();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit())
        throw EFileError(writeFailure(path));
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

std::vector<std::string> IniFile::readKeyNames(std::string_view section, KeyEnd keyEnd) const
{
    std::vector<std::string> names;
    const auto loaded = readSection(m_path, section);
    if (!loaded)
        return names;
    std::size_t used = 1; // the NUL that ends the list
    forEachEntry(loaded->text.lines, loaded->range, keyEnd, [&](std::size_t, const Entry& entry) {
        used += entry.key.size() + 1;
        if (used > KeyNameBufferSize)
            return false;
        names.emplace_back(entry.key);
        return true;
    });
    return names;
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto loaded = readSection(m_path, section);
    if (!loaded)
        return defaultValue;
    const auto line = findKey(loaded->text.lines, loaded->range, key, KeyEnd::FirstEquals);
    if (!line)
        return defaultValue;
    return parseInteger(splitEntry(loaded->text.lines[*line].text, KeyEnd::FirstEquals).value);
}

namespace {

// A line break would end the entry early and let the rest of the text pass
// for entries or sections of its own.
void checkEntry(const QString& path, std::string_view key, std::string_view value)
{
    if (key.find_first_of("\r\n") != std::string_view::npos ||
        value.find_first_of("\r\n") != std::string_view::npos)
        throw EFileError(writeFailure(path));
}

void appendSection(IniText& text, std::string_view section)
{
    if (!text.lines.empty() && !trimmed(text.lines.back().text).empty())
        text.insert(text.lines.size(), {});
    text.insert(text.lines.size(), "[" + std::string(section) + "]");
}

// Where a new entry goes: after the section's last non-blank line, so blank
// lines that part it from the next section stay between them.
std::size_t entryEnd(const IniText& text, SectionRange range)
{
    std::size_t at = range.end;
    while (at > range.first && trimmed(text.lines[at - 1].text).empty())
        --at;
    return at;
}

} // namespace

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value,
                          KeyEnd keyEnd) const
{
    checkEntry(m_path, key, value);
    IniText text = loadForWrite(m_path);
    std::string entry = std::string(key) + "=" + std::string(value);
    const auto range = findSection(text.lines, section);
    if (!range) {
        appendSection(text, section);
        text.insert(text.lines.size(), std::move(entry));
    } else if (const auto line = findKey(text.lines, *range, key, keyEnd)) {
        text.lines[*line].text = std::move(entry);
    } else {
        text.insert(entryEnd(text, *range), std::move(entry));
    }
    save(m_path, text);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) const
{
    writeString(section, key, std::to_string(value));
}

std::vector<std::pair<std::string, std::string>> IniFile::readEntries(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    const auto loaded = readSection(m_path, section);
    if (!loaded)
        return entries;
    forEachEntry(loaded->text.lines, loaded->range, KeyEnd::FirstEquals,
                 [&](std::size_t, const Entry& entry) {
                     entries.emplace_back(entry.key, entry.value);
                     return true;
                 });
    return entries;
}

void IniFile::replaceSection(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& entries) const
{
    for (const auto& [key, value] : entries)
        checkEntry(m_path, key, value);
    IniText text = loadForWrite(m_path);
    std::size_t at = 0;
    if (const auto range = findSection(text.lines, section)) {
        at = range->first;
        const std::size_t end = entryEnd(text, *range);
        text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(at),
                         text.lines.begin() + static_cast<std::ptrdiff_t>(end));
    } else {
        appendSection(text, section);
        at = text.lines.size();
    }
    for (const auto& [key, value] : entries)
        text.insert(at++, key + "=" + value);
    save(m_path, text);
}
