#pragma once

#include "AtomicFile.h"

#include <string>
#include <string_view>

// A file that a fetch writes as the bytes arrive. The bytes go to a new
// temporary file in the target's folder (AtomicFile), which replaces the
// target only on commit(), by a rename: a fetch that fails leaves the target
// exactly as it was, and a symbolic link planted under the target's name is
// replaced, never written through. Without commit() the temporary file is removed.
class OutputFile
{
public:
    // Throws EFileError "Cannot create file %s".
    explicit OutputFile(const std::string& name);

    // Throws EFileError "Unable to write to %s: <reason>", for instance on a full disk.
    void append(std::string_view bytes);
    // Puts the file in place of the target. Only a regular file or a symbolic
    // link is replaced. Throws EFileError "Cannot create file %s".
    void commit();

private:
    std::string m_name;
    AtomicFile m_file;
};
