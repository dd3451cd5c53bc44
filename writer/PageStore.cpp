#include "PageStore.h"

#include "AtomicFile.h"
#include "Errors.h"

#include <QFile>
#include <QFileInfo>

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

// The file a save writes: a link's final target, so that the link stays a
// link; a dangling link is replaced by the file.
std::string finalTarget(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : QString();
    return QFile::encodeName(target.isEmpty() ? fileName : target).toStdString();
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
    // Every write is checked as it is made, and the target keeps its permissions.
    const std::string target = finalTarget(fileName);
    AtomicFile file(target, target);
    file.append(bytes);
    file.commit();
}

void storePage(const std::vector<std::string>& lines, const QString& fileName)
{
    storeFile(pageBytes(lines), fileName);
}
