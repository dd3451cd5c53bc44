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

// Splits at CR LF, a lone CR and a lone LF; a last empty line is not counted.
PageLines splitPageBytes(std::string_view fileBytes);

// Throws EFileError("Cannot open file <path>") when the file cannot be opened or read (a directory included).
PageLines loadPageFile(const std::string& path);
