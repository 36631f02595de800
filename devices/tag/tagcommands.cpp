#include "tagcommands.h"

#include "tagreplies.h"

#include "link/frame.h"
#include "link/protocol.h"

namespace {
namespace Cmd = Protocol::Command;

// Digits only: toULongLong would also take a sign, spaces or "0x".
std::optional<quint64> unsignedNumber(const QString &text, int base)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        const bool digit = c.isDigit() && c.unicode() < 0x80;
        const bool hexLetter = base == 16
                               && ((c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                                   || (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
        if (!digit && !hexLetter)
            return std::nullopt;
    }
    bool ok = false;
    const quint64 value = digits.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<quint32> within(const std::optional<quint64> &value, quint32 low, quint32 high)
{
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return quint32(*value);
}
} // namespace

QByteArray TagCommands::setMode(quint8 address, bool reader)
{
    return Frame::request(address, Cmd::WriteSettings,
                          QByteArray(1, char(reader ? kReaderMode : kTagMode)));
}

QByteArray TagCommands::setSerial(quint8 address, quint32 serial)
{
    return Frame::request(address, Cmd::TagSetSerial, Frame::bigEndian32(serial));
}

QByteArray TagCommands::setIdentifier(quint8 address, quint32 identifier)
{
    return Frame::request(address, Cmd::TagSetIdentifier, Frame::bigEndian32(identifier));
}

QByteArray TagCommands::readIdentifier(quint8 address)
{
    return Frame::request(address, Cmd::TagReadIdentifier);
}

QByteArray TagCommands::setAddress(quint8 address, quint8 newAddress)
{
    return Frame::request(address, Cmd::SetAddress, QByteArray(1, char(newAddress)));
}

std::optional<quint32> TagCommands::identifierFromText(const QString &text, bool decimal)
{
    return within(unsignedNumber(text, decimal ? 10 : 16), kMinIdentifier, kMaxIdentifier);
}

std::optional<quint32> TagCommands::serialFromText(const QString &text)
{
    return within(unsignedNumber(text, 10), kMinSerial, kMaxSerial);
}

std::optional<quint8> TagCommands::addressFromText(const QString &text)
{
    const auto address = within(unsignedNumber(text, 10), kMinAddress, kMaxAddress);
    if (!address)
        return std::nullopt;
    return quint8(*address);
}

QString TagCommands::convertIdentifierText(const QString &text, bool toDecimal)
{
    // The text is in the format being left: hexadecimal when turning decimal.
    const auto value = unsignedNumber(text, toDecimal ? 16 : 10);
    if (!value || *value > kMaxIdentifier)
        return text;
    return TagReplies::identifierText(quint32(*value), toDecimal);
}
