#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The 20-point table a wired fuel level sensor holds: 20 levels and the
// matching volumes (or percentages), each an unsigned 16-bit number.
class CalibrationTable
{
public:
    static constexpr int kRows = 20;
    static constexpr int kMaxValue = 65535;

    // The 80 data bytes of the table write: the 20 levels, then the 20
    // volumes, each two bytes, high byte first; the caller puts the write key
    // in front (Frame::writeRequest). The sensor must store exactly what the
    // table shows, so nothing is returned (and *error says why) when a cell
    // is missing or holds something that is not a number in 0...65535.
    // Fractions are rounded to the nearest whole number (12.5 gives 13);
    // spaces around a number are ignored.
    static std::optional<QByteArray> writePayload(const QStringList &levels,
                                                  const QStringList &volumes,
                                                  QString *error = nullptr);

    // The volume column converted to percentages of the top level (the level
    // of the last row): rows 0..18 are round(level * 100 / top), row 19 is
    // "100". Empty when there is no usable top level (fewer than 20 levels,
    // or a top that is not a positive number): the table stays as it is.
    static QStringList percentColumn(const QStringList &levels);
};
