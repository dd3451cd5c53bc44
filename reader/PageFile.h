#pragma once

#include "TextEncoding.h"

#include <string>
#include <string_view>
#include <vector>

// A page as the reader gets it: its lines as bytes and the encoding its text is
// shown in.
struct PageLines
{
    std::vector<std::string> lines;             // byte lines, each cut to its first 4096 bytes
    TextEncoding encoding = TextEncoding::Utf8; // judged on the whole file before splitting
};

// Longer lines are cut to this many bytes, the rest of the line being lost.
constexpr std::size_t PageLineLimit = 4096;

// Splits a page handed over in pieces of any size exactly as splitPageBytes
// splits the whole, so that a file need not be held in memory at once.
class PageSplitter
{
public:
    void add(std::string_view bytes);
    // Makes room for lines at the rate seen so far over a page of this size,
    // so that the list of lines is not moved again and again as it grows.
    void expectPageSize(std::size_t pageSize);
    PageLines finish();

private:
    void endLine(std::string_view rest);
    void judgeEncoding(std::string_view bytes);

    PageLines m_page;
    std::size_t m_bytesSeen = 0;
    std::string m_line;             // the start of a line that a later piece goes on with
    bool m_afterCr = false;         // the last piece ended in CR: an LF first in the next one belongs to it
    std::string m_pendingCharacter; // the last piece's last character, which may go on too
    bool m_valid = true;            // UTF-8 so far
};

// Splits at CR LF, a lone CR and a lone LF; a last empty line is not counted.
PageLines splitPageBytes(std::string_view fileBytes);

// Throws EFileError("Cannot open file <path>") when the file cannot be opened or read (a directory included).
PageLines loadPageFile(const std::string& path);
