#pragma once
// Small helpers of the tests that read and write the tool's files.

#include <QFile>
#include <QStringList>
#include <QtTest>

// A file's bytes, or "<missing>" so that a comparison shows the file was not there.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

// For use in a test function only: a failed write fails the test.
inline void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

inline QStringList repeated(int count, const QString &value)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << value;
    return list;
}

inline QString ru(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
