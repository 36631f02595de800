#include "aq420replies.h"

#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QtEndian>

namespace {
// Offsets of the readings reply; bytes 3, 6..9, 18..19 and 21..22 are not
// the tool's business.
constexpr int kAngle = 4;
constexpr int kDown = 10;
constexpr int kUp = 14;
constexpr int kMode = 20;
constexpr int kDelayOn = 23;
constexpr int kDelayOff = 25;
// Identification reply offsets.
constexpr int kSerial = 3;
constexpr int kFirmware = 7;

const uchar *at(const QByteArray &reply, int offset)
{
    return reinterpret_cast<const uchar *>(reply.constData()) + offset;
}
} // namespace

const ReplyLengths &Aq420Replies::replyLengths()
{
    namespace C = Protocol::Command;
    static const ReplyLengths lengths = [] {
        ReplyLengths table{
            {C::ReadSettings, {kReadingsLength}},
            {C::ReadIdentification, {kIdentificationLength}},
        };
        for (const quint8 echoed :
             {C::AngleSetMode, C::AngleSetZero, C::AngleSetUp, C::AngleSetDown, C::SetAddress,
              C::AngleDelayOnBucket, C::AngleDelayOffBucket, C::AngleDelayOffBlade,
              C::AngleDelayOnBlade})
            table.set(echoed, {kEchoLength});
        return table;
    }();
    return lengths;
}

std::optional<Aq420Readings> Aq420Replies::decodeReadings(const QByteArray &reply)
{
    if (reply.size() < kReadingsLength)
        return std::nullopt;
    Aq420Readings r;
    r.angle = qFromLittleEndian<quint16>(at(reply, kAngle));
    r.down = qFromLittleEndian<qint32>(at(reply, kDown));
    r.up = qFromLittleEndian<qint32>(at(reply, kUp));
    r.modeByte = quint8(reply.at(kMode));
    r.delayOn = qFromLittleEndian<quint16>(at(reply, kDelayOn));
    r.delayOff = qFromLittleEndian<quint16>(at(reply, kDelayOff));
    return r;
}

std::optional<Aq420Identification> Aq420Replies::decodeIdentification(const QByteArray &reply)
{
    if (reply.size() < kIdentificationLength)
        return std::nullopt;
    Aq420Identification id;
    id.serialNumber = qFromLittleEndian<qint32>(at(reply, kSerial));
    id.firmware = qFromLittleEndian<quint16>(at(reply, kFirmware));
    return id;
}

QString Aq420Replies::firmwareText(quint16 code)
{
    return QStringLiteral("%1.%2.%3").arg((code / 100) % 10).arg((code / 10) % 10).arg(code % 10);
}

QString Aq420Replies::connectionText(const Aq420Identification &id)
{
    return QStringLiteral("Connected AQ420 SerNum=%1,Firmware=%2")
        .arg(id.serialNumber)
        .arg(firmwareText(id.firmware));
}

QString Aq420Replies::settingsText(const Aq420Readings &r)
{
    return QStringLiteral("Down=%1,Up=%2,DelayOn=%3,DelayOff=%4,Mode=%5")
        .arg(r.down)
        .arg(r.up)
        .arg(r.delayOn)
        .arg(r.delayOff)
        .arg(r.modeByte);
}
