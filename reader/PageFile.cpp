#include "PageFile.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Many lines of a page are empty: their end is the next byte, or the one
// after it. Looking at those two in a plain loop spares a call to memchr,
// which costs more than such a line; longer lines are left to it.
std::size_t findByte(std::string_view text, std::size_t pos, char c)
{
    for (const std::size_t inlineEnd = std::min(text.size(), pos + 2); pos < inlineEnd; ++pos) {
        if (text[pos] == c)
            return pos;
    }
    return text.find(c, pos);
}

} // namespace

PageLineList::const_iterator::const_iterator(std::string_view text, std::size_t pos)
    : m_text(text), m_pos(pos), m_end(pos < text.size() ? findByte(text, pos, '\n') : pos)
{
}

PageLineList::const_iterator& PageLineList::const_iterator::operator++()
{
    m_pos = m_end + 1;
    m_end = m_pos < m_text.size() ? findByte(m_text, m_pos, '\n') : m_pos;
    return *this;
}

PageLineList::PageLineList(std::initializer_list<std::string_view> lines)
{
    for (const std::string_view line : lines)
        push_back(line);
}

PageLineList::PageLineList(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        push_back(line);
}

void PageLineList::push_back(std::string_view line)
{
    m_text.append(line);
    m_text.push_back('\n');
    ++m_count;
}

std::string_view PageLineList::back() const
{
    if (m_text.empty())
        return {};
    const std::size_t lineEnd = m_text.size() - 1;
    const std::size_t previousEnd = lineEnd == 0 ? std::string::npos : m_text.rfind('\n', lineEnd - 1);
    const std::size_t start = previousEnd == std::string::npos ? 0 : previousEnd + 1;
    return std::string_view(m_text).substr(start, lineEnd - start);
}

bool operator==(const PageLineList& list, const std::vector<std::string>& lines)
{
    if (list.size() != lines.size())
        return false;
    return std::equal(list.begin(), list.end(), lines.begin(),
                      [](std::string_view a, const std::string& b) { return a == b; });
}

// Valid UTF-8 cut before a byte that is no continuation byte gives two valid
// parts, and two valid parts join to valid UTF-8: so each piece is judged up
// to the start of its last character, which is judged with the next piece.
void PageSplitter::judgeEncoding(std::string_view bytes)
{
    while (!bytes.empty() && !m_pendingCharacter.empty() && isContinuation(bytes.front()) &&
           m_pendingCharacter.size() < 4) {
        m_pendingCharacter.push_back(bytes.front());
        bytes.remove_prefix(1);
    }
    if (bytes.empty() || !m_valid)
        return;
    m_valid = detectEncoding(m_pendingCharacter) == TextEncoding::Utf8;
    m_pendingCharacter.clear();

    std::size_t lastStart = bytes.size();
    while (lastStart > 0 && isContinuation(bytes[lastStart - 1]))
        --lastStart;
    // Continuation bytes only, or too many of them for one character: no
    // later byte can make them valid.
    if (lastStart == 0 || bytes.size() - lastStart > 3) {
        m_valid = m_valid && detectEncoding(bytes) == TextEncoding::Utf8;
        return;
    }
    --lastStart;
    m_valid = m_valid && detectEncoding(bytes.substr(0, lastStart)) == TextEncoding::Utf8;
    m_pendingCharacter = bytes.substr(lastStart);
}

void PageSplitter::endLine(std::string_view rest)
{
    if (m_line.empty()) {
        // The whole line is in this piece: it is copied once, straight into the list.
        m_page.lines.push_back(rest.substr(0, PageLineLimit));
        return;
    }
    m_line.append(rest.substr(0, PageLineLimit - std::min(PageLineLimit, m_line.size())));
    m_page.lines.push_back(m_line);
    m_line.clear();
}

void PageSplitter::expectPageSize(std::size_t pageSize)
{
    // The lines never keep more than the page's bytes, and one LF for a last
    // line that has none.
    m_page.lines.reserveBytes(pageSize + 1);
}

void PageSplitter::add(std::string_view bytes)
{
    judgeEncoding(bytes);
    std::size_t pos = 0;
    if (m_afterCr && !bytes.empty()) {
        if (bytes.front() == '\n')
            pos = 1;
        m_afterCr = false;
    }
    // The next CR and the next LF are each searched for once and remembered, so
    // a page without any CR is not searched to its end again for every line.
    std::size_t nextCr = bytes.find('\r', pos);
    std::size_t nextLf = bytes.find('\n', pos);
    while (pos < bytes.size()) {
        if (nextCr < pos)
            nextCr = findByte(bytes, pos, '\r');
        if (nextLf < pos)
            nextLf = findByte(bytes, pos, '\n');
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos) {
            // The line goes on in the next piece; only what is kept of it is held.
            const std::string_view rest = bytes.substr(pos);
            m_line.append(rest.substr(0, PageLineLimit - std::min(PageLineLimit, m_line.size())));
            break;
        }
        endLine(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (bytes[end] == '\r') {
            if (pos == bytes.size())
                m_afterCr = true;
            else if (bytes[pos] == '\n')
                ++pos;
        }
    }
}

PageLines PageSplitter::finish()
{
    if (!m_line.empty())
        m_page.lines.push_back(m_line);
    m_line.clear();
    m_valid = m_valid && detectEncoding(m_pendingCharacter) == TextEncoding::Utf8;
    m_page.encoding = m_valid ? TextEncoding::Utf8 : TextEncoding::Latin1;
    return std::move(m_page);
}

PageLines splitPageBytes(std::string_view fileBytes)
{
    PageSplitter splitter;
    splitter.add(fileBytes);
    return splitter.finish();
}

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Hands the page file to take a piece at a time, with the checks and errors
// loadPageFile describes; sized is told the file's size before the first piece.
void streamPageFile(const std::string& path, const std::function<void(std::uint64_t)>& sized,
                    const std::function<void(std::string_view)>& take)
{
    const auto cannotOpen = [&](int error) {
        return EFileError("Cannot open file " + path, std::strerror(error));
    };
    // A device or a FIFO may never end (/dev/zero) or block until a writer
    // comes: it is refused before it is opened. A directory is a file that
    // cannot be opened as a page.
    const auto checkKind = [&](const struct stat& info) {
        if (S_ISDIR(info.st_mode))
            throw cannotOpen(EISDIR);
        if (!S_ISREG(info.st_mode))
            throw EFileError("Not a regular file: " + path);
        if (static_cast<std::uint64_t>(info.st_size) > PageSizeLimit)
            throw EFileError("Page too large: " + path);
    };
    struct stat info = {};
    if (path.empty())
        throw cannotOpen(ENOENT);
    if (::stat(path.c_str(), &info) != 0)
        throw cannotOpen(errno);
    checkKind(info);
    // Not waiting for a writer, should the path have become a FIFO since; the
    // opened file is checked again, and that check is the one that counts.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        throw cannotOpen(errno);
    checkKind(info);
    sized(static_cast<std::uint64_t>(info.st_size));

    // The file is read a piece at a time through one small buffer rather than
    // held whole: on a large page that saves as much memory as the page's size.
    std::string buffer(std::size_t{1} << 20, '\0');
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t read = ::read(file.get(), buffer.data(), buffer.size());
        if (read < 0 && errno == EINTR)
            continue;
        // A read that fails part way must not pass for a shorter page.
        if (read < 0)
            throw cannotOpen(errno);
        if (read == 0)
            break;
        // A file that grows while it is read is held to the same limit.
        total += static_cast<std::uint64_t>(read);
        if (total > PageSizeLimit)
            throw EFileError("Page too large: " + path);
        take(std::string_view(buffer).substr(0, static_cast<std::size_t>(read)));
    }
}

} // namespace

PageLines loadPageFile(const std::string& path)
{
    PageSplitter splitter;
    streamPageFile(
        path, [&](std::uint64_t size) { splitter.expectPageSize(static_cast<std::size_t>(size)); },
        [&](std::string_view piece) { splitter.add(piece); });
    return splitter.finish();
}

std::string loadPageBytes(const std::string& path)
{
    std::string bytes;
    streamPageFile(
        path, [&](std::uint64_t size) { bytes.reserve(static_cast<std::size_t>(size)); },
        [&](std::string_view piece) { bytes.append(piece); });
    return bytes;
}
