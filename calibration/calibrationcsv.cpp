#include "calibrationcsv.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>

namespace {
const QString kSeparator = QStringLiteral(", ");
const QString kLineEnd = QStringLiteral("\r\n");
const char kContext[] = "CalibrationCsv";
constexpr int kQuotedLength = 40; // characters of a refused line shown to the user

QString trText(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString chopLineEnd(const QString &line)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

QString quoted(const QString &text)
{
    const QString shown =
        text.size() > kQuotedLength ? text.left(kQuotedLength) + QStringLiteral("…") : text;
    return QStringLiteral("\"%1\"").arg(shown);
}

// The lines of a text, without their ends ("\n" or "\r\n"); a line end at the
// very end does not start another line.
QStringList textLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

QString decode(const QByteArray &content)
{
    QString text = QString::fromUtf8(content);
    // Spreadsheet programs put a byte order mark in front of what they save.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}
} // namespace

QString CalibrationCsv::line(const QStringList &rowCells)
{
    if (rowCells.isEmpty())
        return kLineEnd;
    QStringList ordered = rowCells.mid(1);
    ordered << rowCells.first();
    return ordered.join(kSeparator) + kLineEnd;
}

QString CalibrationCsv::runLine(const QStringList &rowCells, int readings)
{
    QStringList ordered;
    for (int i = 1; i < rowCells.size(); ++i)
        ordered << rowCells.at(i).trimmed();
    while (ordered.size() < readings)
        ordered << QString();
    ordered << (rowCells.isEmpty() ? QString() : rowCells.first().trimmed());
    return ordered.join(kSeparator) + kLineEnd;
}

QStringList CalibrationCsv::parseLine(const QString &line)
{
    QStringList parts = chopLineEnd(line).split(QLatin1Char(','));
    // The volume, written last, goes back to the front. For two parts this
    // is the same as moving the first behind the last; with two sensors it
    // keeps the readings in their columns.
    if (parts.size() > 1)
        parts.prepend(parts.takeLast());
    return parts;
}

QStringList CalibrationCsv::parseTableLine(const QString &line)
{
    QStringList parts = chopLineEnd(line).split(QLatin1Char(','));
    if (parts.size() > 1)
        parts.swapItemsAt(0, 1);
    return parts;
}

bool CalibrationCsv::replaceFile(const QString &path, const QByteArray &content, QString *error)
{
    QSaveFile file(path);
    // Never write over the old file in place: without the temporary copy a
    // failed write would leave it truncated.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    // A small content only reaches the disk when the buffer is flushed, and
    // commit() does not notice a flush that failed half way: flush first.
    if (file.write(content) != content.size() || !file.flush() || !file.commit()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool CalibrationCsv::writeAll(const QString &path, const QList<QStringList> &rows, QString *error)
{
    QString content;
    for (const QStringList &row : rows)
        content += line(row);
    return replaceFile(path, content.toUtf8(), error);
}

std::optional<double> CalibrationCsv::cellNumber(const QString &cell)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[0-9]+(\\.[0-9]*)?([eE][+-]?[0-9]+)?$"));
    const QString text = cell.trimmed();
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString CalibrationCsv::numberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString text = QString::number(std::round(value * 100.0) / 100.0, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

std::optional<CalibrationCsv::RunFile> CalibrationCsv::parseRunFile(const QByteArray &content,
                                                                    QString *error)
{
    RunFile file;
    const QStringList lines = textLines(decode(content));
    for (int index = 0; index < lines.size(); ++index) {
        const QString &text = lines.at(index);
        if (text.trimmed().isEmpty())
            continue; // an empty line holds no point
        const QString number = QString::number(index + 1);
        QStringList parts = text.split(QLatin1Char(','));
        if (parts.size() < 2 || parts.size() > kMaxReadings + 1) {
            setError(error, trText(QT_TRANSLATE_NOOP("CalibrationCsv",
                                                     "Строка %1: ожидаются показания одного или "
                                                     "двух датчиков и объём через запятую, а не %2"))
                                .arg(number, quoted(text)));
            return std::nullopt;
        }
        if (!cellNumber(parts.last())) {
            setError(error, trText(QT_TRANSLATE_NOOP("CalibrationCsv",
                                                     "Строка %1: объём %2 не является числом"))
                                .arg(number, quoted(parts.last().trimmed())));
            return std::nullopt;
        }
        for (int i = 0; i + 1 < parts.size(); ++i) {
            if (!parts.at(i).trimmed().isEmpty() && !cellNumber(parts.at(i))) {
                setError(error,
                         trText(QT_TRANSLATE_NOOP("CalibrationCsv",
                                                  "Строка %1: показание %2 не является числом"))
                             .arg(number, quoted(parts.at(i).trimmed())));
                return std::nullopt;
            }
        }
        parts.prepend(parts.takeLast());
        file.sensors = qMax(file.sensors, int(parts.size()) - 1);
        file.rows << parts;
    }
    // A line written before a second sensor joined the run: its reading is
    // the first sensor's, the second one has none.
    for (QStringList &row : file.rows) {
        while (row.size() < file.sensors + 1)
            row << QString();
    }
    return file;
}

std::optional<CalibrationCsv::RunFile> CalibrationCsv::readRunFile(const QString &path,
                                                                   QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    return parseRunFile(content, error);
}

std::optional<QList<QStringList>> CalibrationCsv::readAll(const QString &path)
{
    const std::optional<RunFile> file = readRunFile(path);
    if (!file)
        return std::nullopt;
    return file->rows;
}

QList<QStringList> CalibrationCsv::parseTable(const QByteArray &content)
{
    QList<QStringList> rows;
    QString text = QString::fromUtf8(content);
    QTextStream stream(&text, QIODevice::ReadOnly);
    while (!stream.atEnd())
        rows << parseTableLine(stream.readLine());
    return rows;
}

std::optional<QList<QStringList>> CalibrationCsv::readTableFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return parseTable(content);
}
