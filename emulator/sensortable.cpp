#include "sensortable.h"

#include "link/frame.h"

namespace {
constexpr quint16 kDefaultLevelStep = 50;  // levels 0, 50, ..., 950
constexpr quint16 kDefaultVolumeStep = 25; // litres 0, 25, ..., 475

quint16 bigEndian16(const QByteArray &data, int offset)
{
    return quint16((quint8(data.at(offset)) << 8) | quint8(data.at(offset + 1)));
}
} // namespace

SensorTable::SensorTable()
{
    for (int row = 0; row < kRows; ++row) {
        levels[size_t(row)] = quint16(row * kDefaultLevelStep);
        volumes[size_t(row)] = quint16(row * kDefaultVolumeStep);
    }
}

QByteArray SensorTable::payload() const
{
    QByteArray bytes;
    bytes.reserve(kPayloadSize);
    for (const quint16 value : levels)
        bytes += Frame::bigEndian16(value);
    for (const quint16 value : volumes)
        bytes += Frame::bigEndian16(value);
    return bytes;
}

void SensorTable::take(const QByteArray &data)
{
    if (data.size() < kPayloadSize)
        return;
    for (int row = 0; row < kRows; ++row) {
        levels[size_t(row)] = bigEndian16(data, 2 * row);
        volumes[size_t(row)] = bigEndian16(data, 2 * (kRows + row));
    }
}

QJsonArray SensorTable::json(const Column &column)
{
    QJsonArray values;
    for (const quint16 value : column)
        values.append(int(value));
    return values;
}
