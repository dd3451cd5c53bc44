#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A folder of its own for the pages a test writes, removed with it.
class PageFolder
{
public:
    // Writes the bytes as a new page file and returns its path.
    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("page%1.htm").arg(++m_count));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};
