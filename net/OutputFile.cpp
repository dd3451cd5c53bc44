#include "OutputFile.h"

#include "Errors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permissions a newly created file would get: read and write for all, less the umask.
mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// ".name.XXXXXX" in the folder of name: hidden, and on the same file system so
// that the rename is atomic.
std::string temporaryPattern(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    return name.substr(0, base) + "." + name.substr(base) + ".XXXXXX";
}

} // namespace

OutputFile::OutputFile(const std::string& name) : m_name(name), m_temporaryName(temporaryPattern(name))
{
    if (name.empty() || name.back() == '/')
        throw EFileError("Cannot create file " + name);
    m_fd = mkostemp(m_temporaryName.data(), O_CLOEXEC);
    if (m_fd < 0)
        throw EFileError("Cannot create file " + name);
    if (fchmod(m_fd, newFileMode()) != 0) {
        discard();
        throw EFileError("Cannot create file " + name);
    }
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::discard()
{
    if (m_fd < 0)
        return;
    close(m_fd);
    m_fd = -1;
    unlink(m_temporaryName.c_str());
}

void OutputFile::append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw EFileError("Cannot write file " + m_name);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OutputFile::commit()
{
    // A device, a folder or a pipe under the target's name is not ours to replace.
    struct stat target{};
    const bool replaceable = lstat(m_name.c_str(), &target) != 0 ? errno == ENOENT
                                                                  : S_ISREG(target.st_mode) || S_ISLNK(target.st_mode);
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0 || !replaceable || std::rename(m_temporaryName.c_str(), m_name.c_str()) != 0) {
        unlink(m_temporaryName.c_str());
        throw EFileError("Cannot create file " + m_name);
    }
}
