// Feeds arbitrary bytes to the ini file: the bytes up to the first NUL are the
// file, and after it come a section, a key and a value, NUL between them.
// Rewriting a section with the entries read from it must leave what every
// section reads as it was, and an entry written must read back with its value
// while the other sections read as before.
#include "ByteText.h"
#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "violated: %s\n", what);
    std::abort();
}

const QString& iniPath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("history.ini"));
    return path;
}

void setContent(std::string_view bytes)
{
    QFile file(iniPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        std::abort();
}

// The next field of the bytes after the file; the whole rest when no NUL follows.
std::string takeField(std::string_view& rest)
{
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    std::string field(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return field;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Everything the sections say, read as the history and the recent pages read them.
std::map<std::string, Entries> readAll(const IniFile& file, const std::vector<std::string>& sections)
{
    std::map<std::string, Entries> all;
    for (const std::string& section : sections) {
        all[section] = file.readEntries(section);
        for (const std::string& key :
             file.readKeyNames(section, IniFile::KeyEnd::LastEquals, IniFile::WholeSection))
            all[section + " (keys)"].emplace_back(key, std::string());
    }
    return all;
}

bool entryReads(const Entries& entries, const std::string& key, const std::string& value)
{
    for (const auto& [readKey, readValue] : entries) {
        if (equalsIgnoringCase(readKey, key))
            return readValue == value;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string content = takeField(rest);
    std::string section = takeField(rest);
    const std::string key = takeField(rest);
    const std::string value = takeField(rest);
    // Section names are the program's own: never blank, nor with blanks around
    // them, a bracket or a line break.
    if (trimmed(section).empty() || trimmed(section) != section ||
        section.find_first_of("[]\r\n") != std::string::npos)
        section = "Recent Pages";
    std::vector<std::string> sections = {"Team HTML", "Current", "Recent Pages", section};

    setContent(content);
    const IniFile file(iniPath());
    file.readInteger("Current", "Team HTML", 7);
    auto before = readAll(file, sections);

    // A lone CR is no line end when read, but no entry written may hold one.
    const Entries own = file.readEntries(section);
    const bool writable = std::none_of(own.begin(), own.end(), [](const auto& entry) {
        return (entry.first + entry.second).find('\r') != std::string::npos;
    });
    if (writable) {
        file.replaceSection(section, own);
        auto now = readAll(file, sections);
        // The rewritten section is read by its entries: a line whose key ends
        // at its last "=" only may go.
        for (const std::string& name : sections) {
            if (equalsIgnoringCase(trimmed(name), trimmed(section)))
                now[name + " (keys)"] = before[name + " (keys)"];
        }
        if (now != before)
            fail("rewriting a section with its own entries changed what the file reads");
    }

    // Only an entry the format can hold: no line break, no "[" to start the key
    // (the line would read as a section's), and no "=" in the key but for an
    // entry without a value, which is written as the page history writes its
    // addresses.
    const IniFile::KeyEnd keyEnd = value.empty() ? IniFile::KeyEnd::LastEquals : IniFile::KeyEnd::FirstEquals;
    if (trimmed(key).empty() || trimmed(key).front() == '[' ||
        key.find_first_of("\r\n") != std::string::npos ||
        (keyEnd == IniFile::KeyEnd::FirstEquals && key.find('=') != std::string::npos) ||
        value.find_first_of("\r\n") != std::string::npos)
        return 0;
    setContent(content);
    file.writeString(section, key, value, keyEnd);
    auto after = readAll(file, sections);
    const std::string keysRead = keyEnd == IniFile::KeyEnd::LastEquals ? " (keys)" : "";
    if (!entryReads(after[section + keysRead], trimmed(key), trimmed(value)))
        fail("a written entry does not read back");
    for (const std::string& other : sections) {
        if (equalsIgnoringCase(trimmed(other), trimmed(section)))
            continue;
        if (after[other] != before[other] || after[other + " (keys)"] != before[other + " (keys)"])
            fail("writing an entry changed another section");
    }
    return 0;
}
