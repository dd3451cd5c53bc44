#include "FileStamp.h"

#include <QFile>

FileStamp FileStamp::of(const QString& path)
{
    struct stat info
    {
    };
    FileStamp stamp;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.m_exists = true;
    stamp.m_device = info.st_dev;
    stamp.m_inode = info.st_ino;
    stamp.m_size = info.st_size;
    stamp.m_modified = info.st_mtim;
    return stamp;
}

bool FileStamp::sameAs(const FileStamp& other) const
{
    return m_exists == other.m_exists && m_device == other.m_device && m_inode == other.m_inode &&
           m_size == other.m_size && m_modified.tv_sec == other.m_modified.tv_sec &&
           m_modified.tv_nsec == other.m_modified.tv_nsec;
}
