#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A file that a fetch writes as the bytes arrive: created (or emptied) when
// opened, appended to piece by piece, closed when the object goes. What was
// written stays even when the fetch fails later on.
class OutputFile
{
public:
    // Throws EFileError "Cannot create file %s".
    explicit OutputFile(const std::string& name);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Throws EFileError "Cannot write file %s", for instance on a full disk.
    void append(std::string_view bytes);

private:
    std::string m_name;
    int m_fd;
};
