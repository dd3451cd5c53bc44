#include "PageStore.h"

#include "Errors.h"

#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace {

// A directory is a name that cannot be created as a file; any other kind of
// file but a regular one would be replaced by the rename, which for a device
// node or a FIFO is never what the user meant.
void refuseOtherKinds(const QString& fileName)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0 || S_ISDIR(info.st_mode))
        return;
    if (!S_ISREG(info.st_mode))
        throw EFileError("Not a regular file: " + fileName.toStdString());
}

// The system's account of the file's failure, when it gave one.
std::string reasonOf(const QFileDevice& file)
{
    return file.error() == QFileDevice::NoError ? std::string() : file.errorString().toStdString();
}

} // namespace

std::string pageBytes(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

void storeFile(std::string_view bytes, const QString& fileName)
{
    if (!fileName.isEmpty())
        refuseOtherKinds(fileName);
    // The file is unbuffered so that a failing write is seen here; a buffered
    // QSaveFile would only fail while flushing in commit(), which does not
    // report it and would replace the target with the part that fitted.
    QSaveFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFileError("Cannot create file " + fileName.toStdString(), reasonOf(file));
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file.commit())
        throw EFileError("Stream write error", reasonOf(file));
}

void storePage(const std::vector<std::string>& lines, const QString& fileName)
{
    storeFile(pageBytes(lines), fileName);
}
