#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The tag reader's identification (0xFC).
struct TagIdentification {
    qint32 serialNumber = 0;
    quint16 firmware = 0; // 123 is shown as 1.2.3
};

// One reply of the tag reader, told apart by its command echo. Numbers in
// replies are least significant byte first.
struct TagReply {
    enum class Kind {
        Settings,       // 0xF0: the mode byte
        Identification, // 0xFC: serial number and firmware
        Identifier,     // 0x06: the identifier read
        IdentifierSet,  // 0xE1: the identifier as the reader took it
        Acknowledged,   // 0xF8: a mode or serial number taken
    };
    Kind kind = Kind::Settings;
    quint8 address = 0;
    quint8 modeByte = 0;
    TagIdentification identification;
    quint32 identifier = 0;
};

// Widget-free decoding of the tag reader's replies. Replies carry no length
// field, so each kind is accepted only when it is long enough for the fields
// read from it; the CRC closes the whole block.
class TagReplies
{
public:
    static constexpr int kSettingsMinLength = 22;       // mode byte at offset 20, then the CRC
    static constexpr int kIdentificationMinLength = 10; // serial 3..6, firmware 7..8, CRC
    static constexpr int kIdentifierMinLength = 9;      // identifier at 4..7, CRC
    static constexpr int kIdentifierSetMinLength = 8;   // identifier at 3..6, CRC
    static constexpr int kAcknowledgementLength = 4;    // prefix, address, code, CRC
    static constexpr quint8 kReaderModeBit = 0x01;      // set: reader; clear: the device is a tag

    // A whole reply from the reader at address: the prefix, the address and
    // the CRC over the block are checked, then the fields of its kind are
    // read. Nothing for anything else (another address, a bad CRC, an
    // unknown code, too few bytes).
    static std::optional<TagReply> decode(const QByteArray &block, quint8 address);

    static bool isReaderMode(quint8 modeByte) { return modeByte & kReaderModeBit; }
    // "%1.%2.%3" of the hundreds, tens and units digits: 123 → "1.2.3".
    static QString firmwareText(quint16 code);
    // Decimal, or hexadecimal in lower case as base-16 formatting gives it
    // (255 → "ff").
    static QString identifierText(quint32 identifier, bool decimal);
};
