#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QtGlobal>

#include <array>

// The litre/percent table a fuel level sensor holds: 20 levels and the 20
// volumes that go with them, each carried as two bytes, high byte first, in
// the table write (0xF1) and the table reply (0xEF).
struct SensorTable
{
    static constexpr int kRows = 20;
    static constexpr int kPayloadSize = 2 * 2 * kRows; // two columns of u16
    using Column = std::array<quint16, kRows>;

    Column levels{};
    Column volumes{};

    // Levels 0, 50, ..., 950 and volumes 0, 25, ..., 475.
    SensorTable();

    // The 80 bytes of a table reply or write: the levels, then the volumes.
    QByteArray payload() const;
    // Takes the 80 bytes of a table write.
    void take(const QByteArray &data);

    static QJsonArray json(const Column &column);
};
