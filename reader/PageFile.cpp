#include "PageFile.h"

#include "Errors.h"

#include <filesystem>
#include <fstream>
#include <iterator>

PageLines splitPageBytes(std::string_view fileBytes)
{
    PageLines page;
    page.encoding = detectEncoding(fileBytes);
    std::size_t pos = 0;
    while (pos < fileBytes.size()) {
        const std::size_t end = fileBytes.find_first_of("\r\n", pos);
        const std::size_t lineEnd = end == std::string_view::npos ? fileBytes.size() : end;
        page.lines.emplace_back(fileBytes.substr(pos, std::min(lineEnd - pos, PageLineLimit)));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
        if (fileBytes[end] == '\r' && pos < fileBytes.size() && fileBytes[pos] == '\n')
            ++pos;
    }
    return page;
}

PageLines loadPageFile(const std::string& path)
{
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, error))
        file.open(path, std::ios::binary);
    std::string bytes;
    if (file.is_open())
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad())
        throw EFileError("Cannot open file " + path);
    return splitPageBytes(bytes);
}
