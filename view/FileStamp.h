#pragma once

#include <QString>

#include <sys/stat.h>

// What tells a file from the one put in its place since: the page store
// writes a new file and renames it over the old one, and an edit in place
// changes its size or time.
class FileStamp
{
public:
    // The stamp of the file at path now; that of no file when there is none.
    static FileStamp of(const QString& path);

    bool sameAs(const FileStamp& other) const;

private:
    bool m_exists = false;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    off_t m_size = 0;
    timespec m_modified{};
};
