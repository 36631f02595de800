#include "crc8.h"

namespace {
// The CRC of each single-bit value; the CRC of any byte is the XOR of those
// of its set bits, so eight constants replace the usual 256-entry table.
constexpr quint8 kBitCrc[8] = {0x5E, 0xBC, 0x61, 0xC2, 0x9D, 0x23, 0x46, 0x8C};
}

quint8 crc8(const quint8 *data, int length)
{
    quint8 crc = 0;
    if (!data)
        return crc;
    for (int i = 0; i < length; ++i) {
        const quint8 t = crc ^ data[i];
        crc = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (t & (1u << bit))
                crc ^= kBitCrc[bit];
        }
    }
    return crc;
}

quint8 crc8(const QByteArray &data)
{
    return crc8(reinterpret_cast<const quint8 *>(data.constData()), int(data.size()));
}
