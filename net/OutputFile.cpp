#include "OutputFile.h"

#include "Errors.h"

#include <cerrno>
#include <sys/stat.h>

OutputFile::OutputFile(const std::string& name) : m_name(name), m_file(name) {}

void OutputFile::append(std::string_view bytes)
{
    m_file.append(bytes);
}

void OutputFile::commit()
{
    // A device, a folder or a pipe under the target's name is not ours to replace.
    struct stat target
    {
    };
    const bool replaceable = lstat(m_name.c_str(), &target) != 0
                                 ? errno == ENOENT
                                 : S_ISREG(target.st_mode) || S_ISLNK(target.st_mode);
    if (!replaceable) {
        m_file.discard();
        throw EFileError("Cannot create file " + m_name);
    }
    m_file.commit();
}
