#pragma once

#include <QByteArray>
#include <QtGlobal>

// Byte helpers of the emulated devices: replies carry their numbers least
// significant byte first, the tool's requests most significant byte first.
namespace FrameBytes {

constexpr int kWriteKeySize = 3; // access code in front of every change
constexpr int kPasswordSize = 4; // u32, most significant byte first

inline void putLittle(QByteArray &bytes, int offset, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

inline quint32 bigEndian(const QByteArray &data, int offset, int width)
{
    quint32 value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | quint8(data.at(offset + i));
    return value;
}

// The payload of a request: what lies between the command byte and the CRC.
inline QByteArray payload(const QByteArray &request)
{
    constexpr int kHeader = 3; // prefix, address, command
    return request.mid(kHeader, int(request.size()) - kHeader - 1);
}

} // namespace FrameBytes
