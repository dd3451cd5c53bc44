#include "IniFile.h"

#include "ByteText.h"

#include "Errors.h"

#include "PageStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>
#include <charconv>
#include <cstdint>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace {

// A lock older than this was left by an editor that died while writing; one
// write takes milliseconds.
constexpr int StaleLockMilliseconds = 10'000;
// How long a write waits for a lock that nobody frees (a stopped editor's,
// or a folder in the lock's place): one write takes milliseconds, and the
// command that writes must not be held up for long.
constexpr int StuckLockMilliseconds = 2'000;
// A lock that keeps changing hands is other editors writing: the wait goes
// on while it does, up to this.
constexpr int BusyLockMilliseconds = 20'000;
constexpr int LockPollMilliseconds = 5;

// A line of the file: its text (without the line end) and where the next
// line starts. The file is kept as the bytes it holds and walked line by line,
// so that it takes no more memory than its size, whatever its lines.
struct Line
{
    std::size_t start;
    std::size_t textEnd;
    std::size_t next;
};

// The file's bytes, changed in place, so that lines this class does not
// change are written back byte for byte.
struct IniText
{
    std::string bytes;
    std::string newLine = "\r\n"; // for added lines: the file's own line end, if it has one

    static IniText parse(std::string bytes)
    {
        IniText result;
        const std::size_t lf = bytes.find('\n');
        if (lf != std::string::npos)
            result.newLine = lf > 0 && bytes[lf - 1] == '\r' ? "\r\n" : "\n";
        result.bytes = std::move(bytes);
        return result;
    }

    // The line that starts at start, or nothing at the end of the file. A
    // line ends at a LF; a CR before it belongs to the line end.
    std::optional<Line> lineAt(std::size_t start) const
    {
        // Text editors that save UTF-8 may open the file with a byte order
        // mark: it belongs to no line, and is kept as it is.
        constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
        if (start == 0 && bytes.starts_with(byteOrderMark))
            start = byteOrderMark.size();
        if (start >= bytes.size())
            return std::nullopt;
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos)
            return Line{start, bytes.size(), bytes.size()};
        const bool crlf = lf > start && bytes[lf - 1] == '\r';
        return Line{start, crlf ? lf - 1 : lf, lf + 1};
    }

    std::string_view text(const Line& line) const
    {
        return std::string_view(bytes).substr(line.start, line.textEnd - line.start);
    }

    // Inserts a line before the line that starts at, or at the end.
    void insert(std::size_t at, std::string_view text)
    {
        if (at == bytes.size() && !bytes.empty() && bytes.back() != '\n') {
            bytes += newLine;
            at = bytes.size();
        }
        bytes.insert(at, std::string(text) + newLine);
    }

    void replace(const Line& line, std::string_view text)
    {
        bytes.replace(line.start, line.textEnd - line.start, text);
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

// The lines after a section's header up to the next header, as offsets.
struct SectionRange
{
    std::size_t first;
    std::size_t end;
};

std::optional<SectionRange> findSection(const IniText& text, std::string_view name)
{
    for (auto line = text.lineAt(0); line; line = text.lineAt(line->next)) {
        const auto header = sectionName(text.text(*line));
        if (!header || !equalsIgnoringCase(*header, name))
            continue;
        std::size_t end = line->next;
        for (auto next = text.lineAt(end); next && !sectionName(text.text(*next)); next = text.lineAt(end))
            end = next->next;
        return SectionRange{line->next, end};
    }
    return std::nullopt;
}

// The entries of a section: its lines that are not blank and have a key.
template <typename Visit>
void forEachEntry(const IniText& text, SectionRange section, IniFile::KeyEnd keyEnd, Visit visit)
{
    for (auto line = text.lineAt(section.first); line && line->start < section.end;
         line = text.lineAt(line->next)) {
        const Entry entry = splitEntry(text.text(*line), keyEnd);
        if (!entry.key.empty() && !visit(*line, entry))
            return;
    }
}

std::optional<Line> findKey(const IniText& text, SectionRange section, std::string_view key,
                            IniFile::KeyEnd keyEnd)
{
    std::optional<Line> found;
    forEachEntry(text, section, keyEnd, [&](const Line& line, const Entry& entry) {
        if (equalsIgnoringCase(entry.key, key))
            found = line;
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

std::string writeFailure(const QString& path, std::string_view reason)
{
    return "Unable to write to " + path.toStdString() + ": " + std::string(reason);
}

std::string lockFailure(const QLockFile& lock, const QString& lockPath)
{
    switch (lock.error()) {
    case QLockFile::PermissionError:
        return "Permission denied for " + lockPath.toStdString();
    case QLockFile::LockFailedError:
        return "the lock " + lockPath.toStdString() + " is held or cannot be taken";
    default:
        return "cannot create the lock " + lockPath.toStdString();
    }
}

// The file's bytes; nothing when it is missing or cannot be read, or is no
// regular file (a FIFO would block the read, a device might never end). A file
// over the size limit is refused before it is read.
std::optional<std::string> readBytes(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    if (info.size() > IniFile::SizeLimit)
        throw ELimitError("History file too large: " + path.toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Held to the limit also should the file grow after the check.
    const QByteArray bytes = file.read(IniFile::SizeLimit + 1);
    if (bytes.size() > IniFile::SizeLimit)
        throw ELimitError("History file too large: " + path.toStdString());
    return bytes.toStdString();
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
    IniText text = IniText::parse(std::move(*bytes));
    const auto range = findSection(text, section);
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
    auto bytes = readBytes(path);
    if (!bytes)
        throw EFileError(writeFailure(path, "the file cannot be read"));
    return IniText::parse(std::move(*bytes));
}

void save(const QString& path, const IniText& text)
{
    try {
        storeFile(text.bytes, path);
    } catch (const EFileError& error) {
        // A failed write names the file and the reason already.
        if (std::string_view(error.what()).starts_with("Unable to write to "))
            throw;
        throw EFileError(writeFailure(path, error.reason().empty() ? error.what() : error.reason()));
    }
}

// A line break would end an entry early and let the rest of the text pass
// for entries or sections of its own.
void checkEntry(const QString& path, std::string_view key, std::string_view value)
{
    if (key.find_first_of("\r\n") != std::string_view::npos ||
        value.find_first_of("\r\n") != std::string_view::npos)
        throw EFileError(writeFailure(path, "an entry cannot hold a line break"));
}

// What tells one holder of the lock file from the next: each takes it anew.
struct LockIdentity
{
    bool exists = false;
    ino_t inode = 0;
    timespec modified{};

    static LockIdentity of(const QString& lockPath)
    {
        struct stat info
        {
        };
        if (lstat(QFile::encodeName(lockPath).constData(), &info) != 0)
            return {};
        return {true, info.st_ino, info.st_mtim};
    }

    friend bool operator==(const LockIdentity& a, const LockIdentity& b)
    {
        return a.exists == b.exists && a.inode == b.inode && a.modified.tv_sec == b.modified.tv_sec &&
               a.modified.tv_nsec == b.modified.tv_nsec;
    }
};

// Takes the lock, or gives up once it has stayed the same for a short while,
// or at once when no lock file can be made.
bool takeLock(QLockFile& lock, const QString& lockPath)
{
    QElapsedTimer waited;
    waited.start();
    QElapsedTimer unchanged;
    unchanged.start();
    LockIdentity seen = LockIdentity::of(lockPath);
    while (!lock.tryLock(0)) {
        // A folder that takes no lock file never will.
        if (lock.error() != QLockFile::LockFailedError)
            return false;
        if (unchanged.elapsed() >= StuckLockMilliseconds || waited.elapsed() >= BusyLockMilliseconds)
            return false;
        QThread::msleep(LockPollMilliseconds);
        const LockIdentity now = LockIdentity::of(lockPath);
        if (!(now == seen)) {
            seen = now;
            unchanged.restart();
        }
    }
    return true;
}

// Reads the file, lets change edit its text and replaces the file. Another
// editor may change the file between the read and the write: the lock beside
// the file makes the two one step, so that neither loses the other's entries.
template <typename Change> void rewrite(const QString& path, Change change)
{
    const QString lockPath = path + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    lock.setStaleLockTime(StaleLockMilliseconds);
    if (!takeLock(lock, lockPath))
        throw EFileError(writeFailure(path, lockFailure(lock, lockPath)));
    IniText text = loadForWrite(path);
    change(text);
    // A file past the limit is never read again, and with it every entry.
    if (text.bytes.size() > static_cast<std::size_t>(IniFile::SizeLimit))
        throw EFileError(writeFailure(path, "the file would pass its size limit"));
    save(path, text);
}

// Appends "[name]" at the end; a blank line parts it from a last line that is
// not blank.
void appendSection(IniText& text, std::string_view name)
{
    std::optional<Line> last;
    for (auto line = text.lineAt(0); line; line = text.lineAt(line->next))
        last = line;
    if (last && !trimmed(text.text(*last)).empty())
        text.insert(text.bytes.size(), {});
    text.insert(text.bytes.size(), "[" + std::string(name) + "]");
}

// Where the section's last non-blank line ends, so that blank lines that part
// it from the next section stay between them.
std::size_t endOfEntries(const IniText& text, SectionRange section)
{
    std::size_t at = section.first;
    for (auto line = text.lineAt(section.first); line && line->start < section.end;
         line = text.lineAt(line->next)) {
        if (!trimmed(text.text(*line)).empty())
            at = line->next;
    }
    return at;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

std::vector<std::string> IniFile::readKeyNames(std::string_view section, KeyEnd keyEnd,
                                               std::size_t bufferSize) const
{
    std::vector<std::string> names;
    const auto loaded = readSection(m_path, section);
    if (!loaded)
        return names;
    std::size_t used = 1; // the NUL that ends the list
    forEachEntry(loaded->text, loaded->range, keyEnd, [&](const Line&, const Entry& entry) {
        used += entry.key.size() + 1;
        if (used > bufferSize)
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
    const auto line = findKey(loaded->text, loaded->range, key, KeyEnd::FirstEquals);
    if (!line)
        return defaultValue;
    return parseInteger(splitEntry(loaded->text.text(*line), KeyEnd::FirstEquals).value);
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value,
                          KeyEnd keyEnd) const
{
    checkEntry(m_path, key, value);
    const std::string entry = std::string(key) + "=" + std::string(value);
    // Blanks around a key are not read back, so with them it is the same key.
    const std::string_view readBack = trimmed(key);
    rewrite(m_path, [&](IniText& text) {
        const auto range = findSection(text, section);
        if (!range) {
            appendSection(text, section);
            text.insert(text.bytes.size(), entry);
        } else if (const auto line = findKey(text, *range, readBack, keyEnd)) {
            text.replace(*line, entry);
        } else {
            text.insert(endOfEntries(text, *range), entry);
        }
    });
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
    forEachEntry(loaded->text, loaded->range, KeyEnd::FirstEquals, [&](const Line&, const Entry& entry) {
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
    rewrite(m_path, [&](IniText& text) {
        std::size_t at = text.bytes.size();
        if (const auto range = findSection(text, section)) {
            at = range->first;
            text.bytes.erase(at, endOfEntries(text, *range) - at);
        } else {
            appendSection(text, section);
            at = text.bytes.size();
        }
        for (const auto& [key, value] : entries) {
            const std::size_t before = text.bytes.size();
            text.insert(at, key + "=" + value);
            at += text.bytes.size() - before;
        }
    });
}
