#include "PageStore.h"

#include "Errors.h"

#include <QSaveFile>

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

namespace {

// The system's account of the file's failure, when it gave one.
std::string reasonOf(const QFileDevice& file)
{
    return file.error() == QFileDevice::NoError ? std::string() : file.errorString().toStdString();
}

} // namespace

void storePage(const std::vector<std::string>& lines, const QString& fileName)
{
    const std::string bytes = pageBytes(lines);

    // The page goes to a temporary file beside the target, which replaces the
    // target only once everything is written: a failure never leaves a
    // half-written roster behind. The file is unbuffered so that a failing
    // write is seen here; a buffered QSaveFile would only fail while flushing
    // in commit(), which does not report it and would replace the target with
    // the part that fitted.
    QSaveFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFileError("Cannot create file " + fileName.toStdString(), reasonOf(file));
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file.commit())
        throw EFileError("Stream write error", reasonOf(file));
}
