#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Widget-free building of the tag reader's request frames and reading of
// what the engineer typed. The reader's change commands carry no write key;
// their numbers go most significant byte first.
class TagCommands
{
public:
    static constexpr quint8 kReaderMode = 1; // the mode byte sent for "reader"
    static constexpr quint8 kTagMode = 0;    // ... and for "tag"
    // Identifiers are four bytes; the decimal field takes its typing limit
    // from an integer validator.
    static constexpr quint32 kMinIdentifier = 1;
    static constexpr quint32 kMaxIdentifier = 0xFFFFFFFFu;
    static constexpr int kMaxTypedDecimalIdentifier = 429496729;
    static constexpr int kHexIdentifierDigits = 8;
    static constexpr int kDecimalIdentifierDigits = 10;
    // The reader reports its serial number signed: what is written must
    // come back the same.
    static constexpr quint32 kMinSerial = 1;
    static constexpr quint32 kMaxSerial = 0x7FFFFFFFu;
    // 0 ends the address list and 255 is the search broadcast.
    static constexpr int kMinAddress = 1;
    static constexpr int kMaxAddress = 254;

    static QByteArray setMode(quint8 address, bool reader);            // 0xF2
    static QByteArray setSerial(quint8 address, quint32 serial);       // 0xF6
    static QByteArray setIdentifier(quint8 address, quint32 identifier); // 0xE1
    static QByteArray readIdentifier(quint8 address);                  // 0x06
    static QByteArray setAddress(quint8 address, quint8 newAddress);   // 0xFB

    // The number typed, or nothing when the field is empty, does not read
    // as a number, or lies outside the limits above: nothing is ever sent
    // for such a field.
    static std::optional<quint32> identifierFromText(const QString &text, bool decimal);
    static std::optional<quint32> serialFromText(const QString &text);
    static std::optional<quint8> addressFromText(const QString &text);

    // The identifier field's text in the other format (hex "FF" ↔ decimal
    // "255"); text that holds no identifier is left as it is.
    static QString convertIdentifierText(const QString &text, bool toDecimal);
};
