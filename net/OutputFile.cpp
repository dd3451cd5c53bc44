#include "OutputFile.h"

#include "Errors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".name." and a random suffix in the folder of name: hidden, and on the
// same file system so that the rename is atomic.
std::string temporaryName(const std::string& name)
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::size_t slash = name.rfind('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    return name.substr(0, base) + "." + name.substr(base) + "." + suffix;
}

} // namespace

OutputFile::OutputFile(const std::string& name) : m_name(name)
{
    if (name.empty() || name.back() == '/')
        throw EFileError("Cannot create file " + name);
    // A new file of our own, never one found under that name; the umask
    // applies to its permissions as to any file created.
    for (int attempt = 0; m_fd < 0 && attempt < 100; ++attempt) {
        m_temporaryName = temporaryName(name);
        m_fd = open(m_temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        throw EFileError("Cannot create file " + name);
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
    struct stat target
    {
    };
    const bool replaceable = lstat(m_name.c_str(), &target) != 0
                                 ? errno == ENOENT
                                 : S_ISREG(target.st_mode) || S_ISLNK(target.st_mode);
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0 || !replaceable || std::rename(m_temporaryName.c_str(), m_name.c_str()) != 0) {
        unlink(m_temporaryName.c_str());
        throw EFileError("Cannot create file " + m_name);
    }
}
