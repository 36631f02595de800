#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The CSV lines of the calibration files: the run file of a tank calibration
// (one line per point: reading(s), then volume) and the file of the
// litre/percent table (one line per row: volume, then level).
//
// A table row is written with the cells of columns 1..last first and the
// cell of column 0 last, joined by ", " and ended by "\r\n"; there is no
// header line. Reading splits at "," (the space after each comma stays with
// the cell that follows it) and moves the last part to the front, which
// undoes the write for tables of any width.
class CalibrationCsv
{
public:
    static QString line(const QStringList &rowCells);
    static QStringList parseLine(const QString &line);

    // Replaces the file with all rows at once. The new content reaches the
    // path only when every byte has been written, so a full disk, a crash or
    // a folder without write access leaves the previous file as it was.
    // On failure *error (when given) says why.
    static bool writeAll(const QString &path, const QList<QStringList> &rows,
                         QString *error = nullptr);
    // Adds one row at the end of the file, creating it when missing.
    static bool appendLine(const QString &path, const QStringList &rowCells);
    // Every line of the file as a row; nothing when it cannot be read.
    static std::optional<QList<QStringList>> readAll(const QString &path);
};
