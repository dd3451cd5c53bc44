#include "PageFile.h"

#include "Errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

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
        m_page.lines.emplace_back(rest.substr(0, PageLineLimit));
        return;
    }
    m_line.append(rest.substr(0, PageLineLimit - std::min(PageLineLimit, m_line.size())));
    m_page.lines.push_back(std::move(m_line));
    m_line.clear();
}

void PageSplitter::expectPageSize(std::size_t pageSize)
{
    if (m_bytesSeen == 0 || pageSize <= m_bytesSeen)
        return;
    // A little over the rate seen, as the rest of a page may be denser.
    const double rate = static_cast<double>(m_page.lines.size() + 1) / static_cast<double>(m_bytesSeen);
    m_page.lines.reserve(static_cast<std::size_t>(rate * 1.1 * static_cast<double>(pageSize)));
}

void PageSplitter::add(std::string_view bytes)
{
    m_bytesSeen += bytes.size();
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
            nextCr = bytes.find('\r', pos);
        if (nextLf < pos)
            nextLf = bytes.find('\n', pos);
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
        m_page.lines.push_back(std::move(m_line));
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

PageLines loadPageFile(const std::string& path)
{
    const auto cannotOpen = [&](int error) {
        return EFileError("Cannot open file " + path, std::strerror(error));
    };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        throw cannotOpen(errno);

    // The file is split a piece at a time through one small buffer rather than
    // held whole: on a large page that saves as much memory as the page's size.
    std::string buffer(1 << 20, '\0');
    std::error_code error;
    const std::uintmax_t pageSize = std::filesystem::file_size(path, error);
    PageSplitter splitter;
    errno = 0;
    for (bool first = true;; first = false) {
        const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file.get());
        splitter.add(std::string_view(buffer).substr(0, read));
        if (read < buffer.size())
            break;
        if (first && !error)
            splitter.expectPageSize(static_cast<std::size_t>(pageSize));
    }
    // A read that fails part way (a directory fails on the first) must not pass
    // for a shorter page.
    if (std::ferror(file.get()))
        throw cannotOpen(errno != 0 ? errno : EIO);
    return splitter.finish();
}
