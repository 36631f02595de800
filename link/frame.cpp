#include "frame.h"

#include "crc8.h"
#include "protocol.h"

namespace {
QByteArray closed(QByteArray frame)
{
    frame.append(char(crc8(frame)));
    return frame;
}
} // namespace

QByteArray Frame::request(quint8 address, quint8 command, const QByteArray &payload)
{
    QByteArray frame;
    frame.reserve(4 + int(payload.size()));
    frame.append(char(Protocol::kRequestPrefix));
    frame.append(char(address));
    frame.append(char(command));
    frame.append(payload);
    return closed(frame);
}

QByteArray Frame::writeRequest(quint8 address, quint8 command, const QByteArray &payload)
{
    return request(address, command, writeKey() + payload);
}

QByteArray Frame::searchBroadcast()
{
    QByteArray frame;
    frame.append(char(Protocol::kRequestPrefix));
    frame.append(char(Protocol::kBroadcastAddress));
    return closed(frame);
}

QByteArray Frame::reply(quint8 address, quint8 command, const QByteArray &payload)
{
    QByteArray frame;
    frame.append(char(Protocol::kReplyPrefix));
    frame.append(char(address));
    frame.append(char(command));
    frame.append(payload);
    return closed(frame);
}

QByteArray Frame::writeKey()
{
    QByteArray key;
    for (const quint8 b : Protocol::kWriteKey)
        key.append(char(b));
    return key;
}

bool Frame::hasValidCrc(const QByteArray &frame)
{
    if (frame.size() < 2)
        return false;
    const auto body = reinterpret_cast<const quint8 *>(frame.constData());
    return crc8(body, int(frame.size()) - 1) == quint8(frame.at(frame.size() - 1));
}

Frame::Verdict Frame::check(const QByteArray &block, quint8 polledAddress)
{
    if (block.isEmpty() || quint8(block.at(0)) != Protocol::kReplyPrefix)
        return block.isEmpty() ? Verdict::TooShort : Verdict::NotAReply;
    if (block.size() < Protocol::kMinReplyLength)
        return Verdict::TooShort;
    if (quint8(block.at(Protocol::kAddressOffset)) != polledAddress)
        return Verdict::OtherAddress;
    if (!hasValidCrc(block))
        return Verdict::BadCrc;
    return Verdict::Accepted;
}

QByteArray Frame::bigEndian16(quint16 value)
{
    QByteArray out;
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
    return out;
}

QByteArray Frame::bigEndian32(quint32 value)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
    return out;
}
