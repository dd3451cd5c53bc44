#pragma once

#include "IniFile.h"

#include <QString>
#include <QStringList>

// The URLs read so far, kept in section "Team HTML" of an ini file (one URL
// per line as a key with an empty value, in history order), and the index of
// the entry selected when a URL was last read, in key "Team HTML" of section
// "Current".
class PageHistory
{
public:
    explicit PageHistory(const QString& path);

    // The history file in a start directory: the directory's text followed by
    // "/SkarnIRC.ini", no separator added or removed, so at the root this
    // gives "//SkarnIRC.ini".
    static QString pathIn(const QString& startDirectory);
    // The settings file the editor uses: the one in the start directory when
    // it exists there (a portable set-up, or files kept from before),
    // otherwise SkarnIRC.ini in the desktop's configuration folder for the
    // application, which is made when missing.
    static QString locate(const QString& startDirectory);

    const QString& path() const { return m_file.path(); }

    // Every URL of the file. A URL runs to the last "=" of its line, so URLs
    // with queries come back whole.
    QStringList urls() const;
    // 0 when nothing was stored.
    int currentIndex() const;

    void appendUrl(const QString& url) const;
    void storeCurrentIndex(int index) const;

private:
    IniFile m_file;
};
