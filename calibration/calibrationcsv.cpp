#include "calibrationcsv.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {
const QString kSeparator = QStringLiteral(", ");
const QString kLineEnd = QStringLiteral("\r\n");
} // namespace

QString CalibrationCsv::line(const QStringList &rowCells)
{
    if (rowCells.isEmpty())
        return kLineEnd;
    QStringList ordered = rowCells.mid(1);
    ordered << rowCells.first();
    return ordered.join(kSeparator) + kLineEnd;
}

QStringList CalibrationCsv::parseLine(const QString &line)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    QStringList parts = text.split(QLatin1Char(','));
    // The volume, written last, goes back to the front. For two parts this
    // is the same as moving the first behind the last; with two sensors it
    // keeps the readings in their columns.
    if (parts.size() > 1)
        parts.prepend(parts.takeLast());
    return parts;
}

bool CalibrationCsv::writeAll(const QString &path, const QList<QStringList> &rows, QString *error)
{
    QSaveFile file(path);
    // Never write over the old file in place: without the temporary copy a
    // failed write would leave it truncated.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QString content;
    for (const QStringList &row : rows)
        content += line(row);
    const QByteArray bytes = content.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool CalibrationCsv::appendLine(const QString &path, const QStringList &rowCells)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = line(rowCells).toUtf8();
    const bool written = file.write(bytes) == bytes.size();
    return file.flush() && written;
}

std::optional<QList<QStringList>> CalibrationCsv::readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QList<QStringList> rows;
    QString buffer = text;
    QTextStream stream(&buffer, QIODevice::ReadOnly);
    while (!stream.atEnd())
        rows << parseLine(stream.readLine());
    return rows;
}
