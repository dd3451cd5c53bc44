#include "OutputFile.h"

#include "Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

OutputFile::OutputFile(const std::string& name)
    : m_name(name), m_fd(open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666))
{
    if (m_fd < 0)
        throw EFileError("Cannot create file " + name);
}

OutputFile::~OutputFile()
{
    close(m_fd);
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
