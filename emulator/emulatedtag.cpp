#include "emulatedtag.h"

#include "framebytes.h"
#include "link/frame.h"
#include "link/protocol.h"

namespace {

namespace Cmd = Protocol::Command;
using FrameBytes::bigEndian;
using FrameBytes::putLittle;

constexpr int kModeOffset = 20;
constexpr int kSerialOffset = 3;
constexpr int kFirmwareOffset = 7;
constexpr int kPresenceOffset = 3;     // 1: an identifier was read
constexpr int kReadIdentifierOffset = 4;
constexpr int kSetIdentifierOffset = 3;
constexpr int kNumberSize = 4;         // serial numbers and identifiers
constexpr int kHeader = 3;             // prefix, address, command

// A reply of length bytes with its payload zeroed, closed by the CRC later.
QByteArray body(int length)
{
    return QByteArray(length - kHeader - 1, '\0');
}

} // namespace

EmulatedTag::EmulatedTag(const TagConfig &config)
    : m_address(config.address),
      m_mode(config.mode),
      m_serial(config.serial),
      m_firmware(config.firmware),
      m_identifier(config.identifier)
{
}

EmulatedTag::Response EmulatedTag::handle(const QByteArray &request)
{
    if (request.size() < Protocol::kMinReplyLength)
        return {};
    const quint8 command = quint8(request.at(Protocol::kCommandOffset));
    const QByteArray data = FrameBytes::payload(request);
    // Replies are built on a payload of kind-specific length, offsets
    // counted from the frame start.
    const auto reply = [this, command](QByteArray payload) {
        return Response{Frame::reply(m_address, command, payload)};
    };
    const auto acknowledged = [this] {
        return Response{Frame::reply(m_address, Cmd::TagAcknowledged)};
    };
    switch (command) {
    case Cmd::ReadSettings: {
        if (!data.isEmpty())
            return {};
        QByteArray payload = body(kReadingsLength);
        payload[kModeOffset - kHeader] = char(m_mode);
        return reply(payload);
    }
    case Cmd::ReadIdentification: {
        if (!data.isEmpty())
            return {};
        QByteArray payload = body(kIdentificationLength);
        putLittle(payload, kSerialOffset - kHeader, m_serial, kNumberSize);
        putLittle(payload, kFirmwareOffset - kHeader, m_firmware, 2);
        return reply(payload);
    }
    case Cmd::TagReadIdentifier: {
        if (!data.isEmpty())
            return {};
        ++m_identifierReads;
        QByteArray payload = body(kIdentifierLength);
        payload[kPresenceOffset - kHeader] = char(1);
        putLittle(payload, kReadIdentifierOffset - kHeader, m_identifier, kNumberSize);
        return reply(payload);
    }
    case Cmd::TagSetIdentifier: {
        if (data.size() != kNumberSize)
            return {}; // an angle sensor's keyed delay, not meant for a reader
        m_identifier = bigEndian(data, 0, kNumberSize);
        QByteArray payload = body(kIdentifierSetLength);
        putLittle(payload, kSetIdentifierOffset - kHeader, m_identifier, kNumberSize);
        return reply(payload);
    }
    case Cmd::WriteSettings:
        if (data.size() != 1)
            return {}; // a sensor's keyed settings block
        m_mode = quint8(data.at(0));
        return acknowledged();
    case Cmd::TagSetSerial:
        if (data.size() != kNumberSize)
            return {};
        m_serial = bigEndian(data, 0, kNumberSize);
        return acknowledged();
    case Cmd::SetAddress:
        if (data.size() != 1 || quint8(data.at(0)) == Protocol::kBroadcastAddress)
            return {}; // it could never be polled there
        m_address = quint8(data.at(0));
        return {};
    default:
        return {};
    }
}

QJsonObject EmulatedTag::state() const
{
    return QJsonObject{
        {QStringLiteral("address"), int(m_address)},
        {QStringLiteral("kind"), kindName()},
        {QStringLiteral("mode"), int(m_mode)},
        {QStringLiteral("serial"), double(m_serial)},
        {QStringLiteral("fw"), int(m_firmware)},
        {QStringLiteral("id"), double(m_identifier)},
        {QStringLiteral("idReads"), m_identifierReads},
    };
}
