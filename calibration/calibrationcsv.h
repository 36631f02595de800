#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The CSV lines of the calibration files: the run file of a tank calibration
// (one line per point: reading(s), then volume) and the file of the
// litre/percent table (one line per row: volume, then level). Neither has a
// header line; lines end with "\r\n".
//
// A table row is written with the cells of columns 1..last first and the
// cell of column 0 last, joined by ", ". The two files are read back by
// different rules: a run file moves its last part (the volume) to the front,
// which keeps two readings in their columns; the litre/percent table swaps
// its first two parts. For lines of two parts both give the same row.
// Either way the space after each comma stays with the cell that follows it.
class CalibrationCsv
{
public:
    // Readings a run file line may hold: one per sensor column.
    static constexpr int kMaxReadings = 2;

    // A run file as read: every point as a table row (volume, then one
    // reading per sensor; a line with fewer readings than the widest line of
    // the file gets empty ones for the sensors it lacks).
    struct RunFile {
        QList<QStringList> rows;
        int sensors = 0; // readings per row; 0 when the file holds no point
    };

    static QString line(const QStringList &rowCells);
    // The line of a run point: the readings, padded with empty ones up to
    // `readings`, then the volume; spaces around the cells are dropped so a
    // line read and written again stays the same.
    static QString runLine(const QStringList &rowCells, int readings);
    // A run file line as a row: the last part (the volume) goes to the front.
    static QStringList parseLine(const QString &line);
    // A litre/percent table line as a row: the first two parts change places.
    static QStringList parseTableLine(const QString &line);

    // Replaces the file with all rows at once. The new content reaches the
    // path only when every byte has been written, so a full disk, a crash or
    // a folder without write access leaves the previous file as it was.
    // On failure *error (when given) says why.
    static bool writeAll(const QString &path, const QList<QStringList> &rows,
                         QString *error = nullptr);
    // The same for content already laid out.
    static bool replaceFile(const QString &path, const QByteArray &content,
                            QString *error = nullptr);

    // A run file's points. Blank lines are skipped. Nothing (and *error says
    // which line and why) when a line is not a point: one or two readings and
    // a volume, each a non-negative number (a reading may be empty). A file
    // is taken whole or not at all.
    static std::optional<RunFile> parseRunFile(const QByteArray &content,
                                               QString *error = nullptr);
    static std::optional<RunFile> readRunFile(const QString &path, QString *error = nullptr);
    // The rows of readRunFile(); nothing when the file cannot be read or is
    // not a run file.
    static std::optional<QList<QStringList>> readAll(const QString &path);

    // Every line of a litre/percent table file as a row, by the table rule;
    // nothing when the file cannot be read.
    static QList<QStringList> parseTable(const QByteArray &content);
    static std::optional<QList<QStringList>> readTableFile(const QString &path);

    // The number a cell holds: a non-negative decimal, with or without a
    // fraction, spaces around it allowed.
    static std::optional<double> cellNumber(const QString &cell);
    // A number as a cell shows it: at most two decimals, no trailing zeros.
    static QString numberText(double value);
};
