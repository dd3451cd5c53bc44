#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A file that a fetch writes as the bytes arrive. The bytes go to a new
// temporary file in the target's folder, which replaces the target only on
// commit(), by a rename: a fetch that fails leaves the target exactly as it
// was, and a symbolic link planted under the target's name is replaced, never
// written through. Without commit() the temporary file is removed.
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
    // Puts the file in place of the target. Only a regular file or a symbolic
    // link is replaced. Throws EFileError "Cannot create file %s".
    void commit();

private:
    void discard();

    std::string m_name;
    std::string m_temporaryName;
    int m_fd = -1;
};
