#include "emulatedaq420.h"

#include "framebytes.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <algorithm>

namespace {

namespace Cmd = Protocol::Command;
using FrameBytes::bigEndian;
using FrameBytes::kWriteKeySize;
using FrameBytes::putLittle;

// Readings reply (0xF0), 28 bytes; numbers least significant byte first.
constexpr int kReadingsLength = 28;
constexpr int kAngleOffset = 4;    // u16, degrees
constexpr int kDownOffset = 10;    // i32
constexpr int kUpOffset = 14;      // i32
constexpr int kModeOffset = 20;    // mode byte
constexpr int kDelayOnOffset = 23; // u16
constexpr int kDelayOffOffset = 25; // u16
// Identification reply (0xFC), 10 bytes.
constexpr int kIdentificationLength = 10;
constexpr int kSerialOffset = 3;   // i32
constexpr int kFirmwareOffset = 7; // u16

constexpr int kMaxReportedAngle = 0xFFFF;

// Bytes of the request behind the write key, for each change command.
int changeDataSize(quint8 command)
{
    switch (command) {
    case Cmd::AngleSetZero:
        return 0;
    case Cmd::AngleSetMode:
    case Cmd::SetAddress:
    case Cmd::AngleDelayOnBlade:
    case Cmd::AngleDelayOffBlade:
        return 1;
    case Cmd::AngleSetUp:
    case Cmd::AngleSetDown:
    case Cmd::AngleDelayOnBucket:
    case Cmd::AngleDelayOffBucket:
        return 2;
    default:
        return -1;
    }
}

} // namespace

EmulatedAq420::EmulatedAq420(const Aq420Config &config)
    : m_address(config.address),
      m_serial(config.serial),
      m_firmware(config.firmware),
      m_position(config.angle),
      m_up(config.up),
      m_down(config.down),
      m_delayOn(config.delayOn),
      m_delayOff(config.delayOff),
      m_mode(config.mode),
      m_frozen(config.frozen)
{
}

int EmulatedAq420::angle() const
{
    return std::clamp(m_position - m_zero, 0, kMaxReportedAngle);
}

EmulatedDevice::Response EmulatedAq420::handle(const QByteArray &request)
{
    if (request.size() < Protocol::kMinReplyLength)
        return {};
    const quint8 command = quint8(request.at(Protocol::kCommandOffset));
    if (command == Cmd::ReadSettings)
        return {readingsReply()};
    if (command == Cmd::ReadIdentification)
        return {identificationReply()};

    const QByteArray payload = FrameBytes::payload(request);
    const int dataSize = changeDataSize(command);
    if (dataSize < 0 || payload.size() != kWriteKeySize + dataSize)
        return {};
    // A frame without the access code is not meant for a sensor: ignore it.
    if (payload.left(kWriteKeySize) != Frame::writeKey())
        return {};
    if (!change(command, payload.mid(kWriteKeySize)))
        return {};
    return {Frame::reply(m_address, command)};
}

bool EmulatedAq420::change(quint8 command, const QByteArray &data)
{
    if (command == Cmd::SetAddress && quint8(data.at(0)) == Protocol::kBroadcastAddress)
        return false; // it could never be polled there
    ++m_changes;
    if (command == Cmd::AngleSetZero)
        ++m_zeroSettings;
    if (m_frozen)
        return true; // answered as if taken
    const int value = data.isEmpty() ? 0 : int(bigEndian(data, 0, int(data.size())));
    switch (command) {
    case Cmd::AngleSetZero: m_zero = m_position; break;
    case Cmd::AngleSetMode: m_mode = quint8(value); break;
    case Cmd::AngleSetUp: m_up = value; break;
    case Cmd::AngleSetDown: m_down = value; break;
    case Cmd::AngleDelayOnBucket:
    case Cmd::AngleDelayOnBlade: m_delayOn = quint16(value); break;
    case Cmd::AngleDelayOffBucket:
    case Cmd::AngleDelayOffBlade: m_delayOff = quint16(value); break;
    case Cmd::SetAddress: m_address = quint8(value); break; // the echo comes from the new one
    default: break;
    }
    return true;
}

QByteArray EmulatedAq420::readingsReply() const
{
    // The payload lies between the command byte and the CRC.
    constexpr int p = Protocol::kPayloadOffset;
    QByteArray payload(kReadingsLength - Protocol::kMinReplyLength, '\0');
    putLittle(payload, kAngleOffset - p, quint32(angle()), 2);
    putLittle(payload, kDownOffset - p, quint32(m_down), 4);
    putLittle(payload, kUpOffset - p, quint32(m_up), 4);
    payload[kModeOffset - p] = char(m_mode);
    putLittle(payload, kDelayOnOffset - p, m_delayOn, 2);
    putLittle(payload, kDelayOffOffset - p, m_delayOff, 2);
    return Frame::reply(m_address, Cmd::ReadSettings, payload);
}

QByteArray EmulatedAq420::identificationReply() const
{
    constexpr int p = Protocol::kPayloadOffset;
    QByteArray payload(kIdentificationLength - Protocol::kMinReplyLength, '\0');
    putLittle(payload, kSerialOffset - p, m_serial, 4);
    putLittle(payload, kFirmwareOffset - p, m_firmware, 2);
    return Frame::reply(m_address, Cmd::ReadIdentification, payload);
}

QJsonObject EmulatedAq420::state() const
{
    return QJsonObject{
        {QStringLiteral("address"), int(m_address)},
        {QStringLiteral("kind"), kindName()},
        {QStringLiteral("serial"), double(m_serial)},
        {QStringLiteral("fw"), int(m_firmware)},
        {QStringLiteral("angle"), angle()},
        {QStringLiteral("position"), m_position},
        {QStringLiteral("zero"), m_zero},
        {QStringLiteral("up"), m_up},
        {QStringLiteral("down"), m_down},
        {QStringLiteral("delayOn"), int(m_delayOn)},
        {QStringLiteral("delayOff"), int(m_delayOff)},
        {QStringLiteral("mode"), int(m_mode)},
        {QStringLiteral("frozen"), m_frozen},
        {QStringLiteral("changes"), m_changes},
        {QStringLiteral("zeroSettings"), m_zeroSettings},
        {QStringLiteral("readingsSent"), readingsRepliesSent()},
    };
}
