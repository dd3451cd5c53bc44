#include "PageNames.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace PageNames {

bool isWebAddress(const QString& source)
{
    const QString scheme = QUrl(source).scheme();
    return scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
           scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

QString fromOutside(const QString& text)
{
    if (isWebAddress(text))
        return text;
    const QUrl url(text);
    if (url.isLocalFile())
        return QFileInfo(url.toLocalFile()).absoluteFilePath();
    return QFileInfo(text).absoluteFilePath();
}

QString fromDrop(const QMimeData& data)
{
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            return QFileInfo(url.toLocalFile()).absoluteFilePath();
        if (isWebAddress(url.toString()))
            return url.toString();
    }
    return {};
}

QString shortName(const QString& source)
{
    if (isWebAddress(source)) {
        const QUrl url(source);
        const QStringList segments = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        return segments.isEmpty() ? url.host() : segments.constLast();
    }
    return QFileInfo(source).fileName();
}

} // namespace PageNames
