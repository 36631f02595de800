#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

class ReplyLengths;

// The readings reply (0xF0) of the angle sensor: the angle and the settings
// that decide when its output switches. Values are least significant byte
// first.
struct Aq420Readings {
    quint16 angle = 0;    // degrees
    qint32 down = 0;      // lower limit, degrees
    qint32 up = 0;        // upper limit, degrees
    quint8 modeByte = 0;  // bit 0: master; the other bits select the mode
    quint16 delayOn = 0;  // switch-on delay
    quint16 delayOff = 0; // switch-off delay
};

// The identification reply (0xFC).
struct Aq420Identification {
    qint32 serialNumber = 0;
    quint16 firmware = 0; // 0 until the sensor reports one
};

// Widget-free decoding of the angle sensor's replies. Replies carry no
// length field, so every decoder checks the length before it reads a field
// and refuses what is too short.
class Aq420Replies
{
public:
    static constexpr int kReadingsLength = 28;       // fields up to offset 26 and the CRC
    static constexpr int kIdentificationLength = 10; // fields up to offset 8 and the CRC
    static constexpr int kEchoLength = 4;            // prefix, address, command, CRC
    static constexpr int kFrequencyOffset = 300;     // the output frequency is angle + 300 Hz

    // The lengths of the sensor's replies, for the reply assembler: the two
    // readings replies, and the bare echo of every change command.
    static const ReplyLengths &replyLengths();

    static std::optional<Aq420Readings> decodeReadings(const QByteArray &reply);
    static std::optional<Aq420Identification> decodeIdentification(const QByteArray &reply);

    // "1.2.3" from the hundreds, tens and units of the firmware code.
    static QString firmwareText(quint16 code);
    static int frequency(quint16 angle) { return angle + kFrequencyOffset; }

    // The log line of a new connection: the identification, then the
    // settings the sensor reported.
    static QString connectionText(const Aq420Identification &id);
    static QString settingsText(const Aq420Readings &readings);
};
