#include "PageHistory.h"

#include "TextEncoding.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr std::string_view UrlSection = "Team HTML";
constexpr std::string_view CurrentSection = "Current";
constexpr std::string_view CurrentKey = "Team HTML";

} // namespace

PageHistory::PageHistory(const QString& path) : m_file(path) {}

QString PageHistory::pathIn(const QString& startDirectory)
{
    return startDirectory + QStringLiteral("/SkarnIRC.ini");
}

QString PageHistory::locate(const QString& startDirectory)
{
    const QString portable = pathIn(startDirectory);
    if (QFileInfo::exists(portable))
        return portable;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return portable;
    return QDir(folder).filePath(QStringLiteral("SkarnIRC.ini"));
}

QStringList PageHistory::urls() const
{
    QStringList result;
    // Files written by other programs may hold 8-bit URLs; each key is
    // decoded on its own so one such line does not spoil the others. Every
    // URL is listed, however many editors added them.
    for (const std::string& key :
         m_file.readKeyNames(UrlSection, IniFile::KeyEnd::LastEquals, IniFile::WholeSection))
        result.append(decodeText(key, detectEncoding(key)));
    return result;
}

int PageHistory::currentIndex() const
{
    return m_file.readInteger(CurrentSection, CurrentKey, 0);
}

void PageHistory::appendUrl(const QString& url) const
{
    m_file.writeString(UrlSection, encodeText(url, TextEncoding::Utf8), "", IniFile::KeyEnd::LastEquals);
}

void PageHistory::storeCurrentIndex(int index) const
{
    m_file.writeInteger(CurrentSection, CurrentKey, index);
}
