#pragma once

#include "IniFile.h"

#include <QString>
#include <QStringList>

// The pages read last, files and URLs, newest first, kept in section
// "Recent Pages" of the history ini file as keys "Page1" to "Page10". The
// section is the list's own, so the URL history's sections stay as they are.
class RecentPages
{
public:
    static constexpr int MaxCount = 10;

    explicit RecentPages(const QString& iniPath);

    // Newest first; empty entries and repeats in the file are skipped.
    QStringList pages() const;
    // Puts the page at the top, dropping an older entry for the same page and
    // any beyond the tenth. Throws EFileError when the file cannot be written.
    void add(const QString& page) const;
    void clear() const;

private:
    void store(const QStringList& pages) const;

    IniFile m_file;
};
