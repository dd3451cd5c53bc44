#include "AtomicFile.h"

#include "Errors.h"
#include "TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string writeFailure(const std::string& target, int error)
{
    return "Unable to write to " + target + ": " + std::strerror(error);
}

} // namespace

AtomicFile::AtomicFile(std::string target, const std::string& keepModeOf) : m_target(std::move(target))
{
    if (m_target.empty() || m_target.back() == '/')
        throw EFileError("Cannot create file " + m_target, std::strerror(m_target.empty() ? ENOENT : EISDIR));
    // The rename needs only the folder's permission: a file its owner made
    // read-only is refused here, as opening it for writing would refuse it.
    const int access = faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
    if (access != 0 && access != ENOENT)
        throw EFileError("Cannot create file " + m_target, std::strerror(access));
    // A new file of our own, never one found under that name; the umask
    // applies to its permissions as to any file created.
    int error = 0;
    for (int attempt = 0; m_fd < 0 && attempt < 100; ++attempt) {
        m_temporaryName = temporarySibling(m_target);
        m_fd = open(m_temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        error = errno;
        if (m_fd < 0 && error != EEXIST)
            break;
    }
    if (m_fd < 0)
        throw EFileError("Cannot create file " + m_target, std::strerror(error));
    m_slot = TemporaryFiles::add(m_temporaryName);
    struct stat kept
    {
    };
    if (!keepModeOf.empty() && stat(keepModeOf.c_str(), &kept) == 0)
        fchmod(m_fd, kept.st_mode & 07777);
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (m_fd < 0)
        return;
    close(m_fd);
    m_fd = -1;
    unlink(m_temporaryName.c_str());
    TemporaryFiles::forget(m_slot);
    m_slot = -1;
}

void AtomicFile::append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw EFileError(writeFailure(m_target, written < 0 ? errno : ENOSPC));
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicFile::commit()
{
    // A disk that fills up may only tell at the sync or the close.
    int error = fsync(m_fd) == 0 ? 0 : errno;
    if (close(m_fd) != 0 && error == 0)
        error = errno;
    m_fd = -1;
    if (error != 0) {
        unlink(m_temporaryName.c_str());
        TemporaryFiles::forget(m_slot);
        throw EFileError(writeFailure(m_target, error));
    }
    const bool renamed = std::rename(m_temporaryName.c_str(), m_target.c_str()) == 0;
    error = errno;
    if (!renamed)
        unlink(m_temporaryName.c_str());
    TemporaryFiles::forget(m_slot);
    if (!renamed)
        throw EFileError("Cannot create file " + m_target, std::strerror(error));
}
