#pragma once

#include <QByteArray>
#include <QtGlobal>

// CRC-8/MAXIM (Dallas 1-Wire): reflected polynomial 0x8C, initial value 0,
// no final XOR. Closes every request and reply frame on the sensor line.
quint8 crc8(const quint8 *data, int length);
quint8 crc8(const QByteArray &data);
