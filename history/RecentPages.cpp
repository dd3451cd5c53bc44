#include "RecentPages.h"

#include "ByteText.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view Section = "Recent Pages";

std::string keyFor(int index)
{
    return "Page" + std::to_string(index + 1);
}

// A name the ini format cannot give back as it was is not kept: one with a
// line break, or with blanks at either end, which reading trims.
bool storable(const QString& page)
{
    return !page.isEmpty() && page.trimmed() == page && !page.contains(QLatin1Char('\n')) &&
           !page.contains(QLatin1Char('\r'));
}

} // namespace

RecentPages::RecentPages(const QString& iniPath) : m_file(iniPath) {}

QStringList RecentPages::pages() const
{
    QStringList result;
    // Entries are read by their keys, so a hand-edited file in any order
    // still gives Page1 first.
    const auto entries = m_file.readEntries(Section);
    for (int index = 0; index < MaxCount; ++index) {
        const std::string key = keyFor(index);
        for (const auto& [name, value] : entries) {
            if (!equalsIgnoringCase(name, key))
                continue;
            const QString page = QString::fromUtf8(value);
            // A name that could not be written back would fail every later store.
            if (storable(page) && !result.contains(page))
                result.append(page);
            break;
        }
    }
    return result;
}

void RecentPages::add(const QString& page) const
{
    if (!storable(page))
        return;
    QStringList list = pages();
    list.removeAll(page);
    list.prepend(page);
    store(list.mid(0, MaxCount));
}

void RecentPages::clear() const
{
    store({});
}

void RecentPages::store(const QStringList& pages) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (int index = 0; index < pages.size(); ++index)
        entries.emplace_back(keyFor(index), pages.at(index).toStdString());
    m_file.replaceSection(Section, entries);
}
