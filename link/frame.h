#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Builds request frames and checks reply frames of the sensor line.
// Frames carry no length field; ReplyAssembler cuts received bytes into them.
class Frame
{
public:
    enum class Verdict {
        Accepted,     // prefix, address and CRC all right
        TooShort,     // fewer bytes than prefix, address, command and CRC
        NotAReply,    // first byte is not the reply prefix
        OtherAddress, // a reply, but from another sensor
        BadCrc,       // the CRC over all but the last byte does not match it
    };

    // 0x31, address, command, payload..., CRC.
    static QByteArray request(quint8 address, quint8 command, const QByteArray &payload = {});
    // As request(), with the write key in front of the payload.
    static QByteArray writeRequest(quint8 address, quint8 command, const QByteArray &payload = {});
    // 0x31, 0xFF, CRC: the search broadcast has no command byte.
    static QByteArray searchBroadcast();
    // 0x3E, address, command, payload..., CRC: what a sensor answers.
    static QByteArray reply(quint8 address, quint8 command, const QByteArray &payload = {});

    static QByteArray writeKey();
    static bool hasValidCrc(const QByteArray &frame);
    static Verdict check(const QByteArray &block, quint8 polledAddress);

    // Multi-byte numbers the tool sends go most significant byte first.
    static QByteArray bigEndian16(quint16 value);
    static QByteArray bigEndian32(quint32 value);
};
