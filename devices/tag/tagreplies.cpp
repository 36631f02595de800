#include "tagreplies.h"

#include "link/frame.h"
#include "link/protocol.h"

#include <QtEndian>

namespace {
namespace Cmd = Protocol::Command;

constexpr int kModeOffset = 20;
constexpr int kSerialOffset = 3;
constexpr int kFirmwareOffset = 7;
constexpr int kReadIdentifierOffset = 4; // offset 3 is not used by the tool
constexpr int kSetIdentifierOffset = 3;

const uchar *at(const QByteArray &block, int offset)
{
    return reinterpret_cast<const uchar *>(block.constData()) + offset;
}
} // namespace

std::optional<TagReply> TagReplies::decode(const QByteArray &block, quint8 address)
{
    if (Frame::check(block, address) != Frame::Verdict::Accepted)
        return std::nullopt;
    TagReply reply;
    reply.address = address;
    const int length = int(block.size());
    switch (quint8(block.at(Protocol::kCommandOffset))) {
    case Cmd::ReadSettings:
        if (length < kSettingsMinLength)
            return std::nullopt;
        reply.kind = TagReply::Kind::Settings;
        reply.modeByte = quint8(block.at(kModeOffset));
        return reply;
    case Cmd::ReadIdentification:
        if (length < kIdentificationMinLength)
            return std::nullopt;
        reply.kind = TagReply::Kind::Identification;
        reply.identification.serialNumber = qFromLittleEndian<qint32>(at(block, kSerialOffset));
        reply.identification.firmware = qFromLittleEndian<quint16>(at(block, kFirmwareOffset));
        return reply;
    case Cmd::TagReadIdentifier:
        if (length < kIdentifierMinLength)
            return std::nullopt;
        reply.kind = TagReply::Kind::Identifier;
        reply.identifier = qFromLittleEndian<quint32>(at(block, kReadIdentifierOffset));
        return reply;
    case Cmd::TagSetIdentifier:
        if (length < kIdentifierSetMinLength)
            return std::nullopt;
        reply.kind = TagReply::Kind::IdentifierSet;
        reply.identifier = qFromLittleEndian<quint32>(at(block, kSetIdentifierOffset));
        return reply;
    case Cmd::TagAcknowledged:
        reply.kind = TagReply::Kind::Acknowledged;
        return reply;
    default:
        return std::nullopt;
    }
}

QString TagReplies::firmwareText(quint16 code)
{
    return QStringLiteral("%1.%2.%3").arg(code / 100 % 10).arg(code / 10 % 10).arg(code % 10);
}

QString TagReplies::identifierText(quint32 identifier, bool decimal)
{
    return QString::number(identifier, decimal ? 10 : 16);
}
