#include "PageStore.h"

#include "Errors.h"

#include <QSaveFile>

void storePage(const std::vector<std::string>& lines, const QString& fileName)
{
    std::string bytes;
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }

    // The page goes to a temporary file beside the target, which replaces the
    // target only once everything is written: a failure never leaves a
    // half-written roster behind.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError("Cannot create file " + fileName.toStdString());
    const auto written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file.commit())
        throw EFileError("Stream write error");
}
