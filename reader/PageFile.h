#pragma once

#include "TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// The lines of a page, kept in one text: each line followed by a LF. A page is
// split at its CRs and LFs, so no line holds one of its own, and a line costs
// one byte beyond the bytes it keeps. A page of empty lines thus takes one
// byte of memory per line rather than a string object each, which grows to
// some thirty times the page.
class PageLineList
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;

        const_iterator() = default;
        std::string_view operator*() const { return m_text.substr(m_pos, m_end - m_pos); }
        const_iterator& operator++();
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b)
        {
            return a.m_pos == b.m_pos;
        }

    private:
        friend class PageLineList;
        const_iterator(std::string_view text, std::size_t pos);

        std::string_view m_text;
        std::size_t m_pos = 0;
        std::size_t m_end = 0; // the LF after the line
    };
    using iterator = const_iterator;
    using value_type = std::string_view;

    PageLineList() = default;
    // Lines as a page's splitting gives them: a LF in one of them would end it there.
    PageLineList(std::initializer_list<std::string_view> lines);
    PageLineList(const std::vector<std::string>& lines);

    void push_back(std::string_view line);
    void reserveBytes(std::size_t bytes) { m_text.reserve(bytes); }

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    const_iterator begin() const { return const_iterator(m_text, 0); }
    const_iterator end() const { return const_iterator(m_text, m_text.size()); }
    std::string_view front() const { return *begin(); }
    std::string_view back() const;

    friend bool operator==(const PageLineList& a, const PageLineList& b) { return a.m_text == b.m_text; }
    friend bool operator==(const PageLineList& list, const std::vector<std::string>& lines);

private:
    std::string m_text;
    std::size_t m_count = 0;
};

// A page as the reader gets it: its lines as bytes and the encoding its text is
// shown in.
struct PageLines
{
    PageLineList lines;                         // byte lines, each cut to its first 4096 bytes
    TextEncoding encoding = TextEncoding::Utf8; // judged on the whole file before splitting
};

// Longer lines are cut to this many bytes, the rest of the line being lost.
constexpr std::size_t PageLineLimit = 4096;

// A page file larger than this is refused unread; a fetched body has the same limit.
constexpr std::uint64_t PageSizeLimit = std::uint64_t{64} << 20;

// Splits a page handed over in pieces of any size exactly as splitPageBytes
// splits the whole, so that a file need not be held in memory at once.
class PageSplitter
{
public:
    void add(std::string_view bytes);
    // Makes room for the lines of a page of this size at once, so that the
    // text of the lines is not moved again and again as it grows.
    void expectPageSize(std::size_t pageSize);
    PageLines finish();

private:
    void endLine(std::string_view rest);
    void judgeEncoding(std::string_view bytes);

    PageLines m_page;
    std::string m_line;             // the start of a line that a later piece goes on with
    bool m_afterCr = false;         // the last piece ended in CR: an LF first in the next one belongs to it
    std::string m_pendingCharacter; // the last piece's last character, which may go on too
    bool m_valid = true;            // UTF-8 so far
};

// Splits at CR LF, a lone CR and a lone LF; a last empty line is not counted.
PageLines splitPageBytes(std::string_view fileBytes);

// Reads a page file. Throws EFileError with "Cannot open file <path>" when the
// file cannot be opened or read (a directory included), "Not a regular file:
// <path>" for a device, a FIFO or a socket (which may never end, or block), and
// "Page too large: <path>" for a file over PageSizeLimit. A symbolic link to a
// regular file is read.
PageLines loadPageFile(const std::string& path);

// The whole page file as bytes, read under the same checks and errors.
std::string loadPageBytes(const std::string& path);
