#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <optional>

class ReplyLengths;

// The base station's identification reply (0xFC).
struct BleIdentification {
    qint32 serialNumber = 0;
    quint16 baseFirmware = 0; // 231 is shown as 2.3.1
};

// The base station's data reply (0xF0) in linked-sensor mode: the readings of
// the wireless sensor it relays, its radio link and the result of the last
// command relayed to it. Values are least significant byte first.
struct BleDataReply {
    int length = 0;
    qint8 temperature = 0; // °C
    quint16 level = 0;     // 0..1023 or 0..4095 by bit 7 of the mode byte
    qint32 raw = 0;
    qint32 empty = 0;
    qint32 full = 0;
    quint8 modeByte = 0;   // bit 7: 0..4095 scale; the whole byte is the output mode
    quint8 filterByte = 0; // bits 0..6 smoothing index, bit 7 thermo-compensation
    quint8 sensorFirmware = 0;
    // Only the four lengths the base really sends carry a link state worth
    // reading; any other length keeps the one known before.
    std::optional<quint8> linkState;
    qint8 rssi = 0;      // dB
    quint8 battery = 0;  // tenths of a volt; 0: no sensor linked
    std::array<quint8, 6> mac{}; // as received: least significant byte first
    quint8 resultCode = 0;

    bool twelveBit() const { return modeByte & 0x80; }
    // The smoothing list has 16 entries; bit 7 belongs to the switch.
    int smoothingIndex() const { return filterByte & 0x7F; }
    bool thermoCompensationOff() const { return filterByte & 0x80; }
    int scaleMaximum() const { return twelveBit() ? 4096 : 1024; }
};

// What a link state code says about the base and its sensor.
struct BleLinkState {
    bool answering = false;   // 0x1E..0x21: the base works
    bool baseReady = false;   // 0x1E or 0x21
    bool sensorLinked = false; // 0x21
    bool offerBaseUpdate = false; // any other code: the base needs its firmware
};

// A command result code of the data reply, with what the page shows and logs.
struct BleCommandResult {
    enum class Kind {
        None,     // unknown code: nothing shown
        Link,     // code 0: plain readings; the link state of the sensor
        Message,  // a status text, a log line, the 5 s hold
        Password, // codes 3 and 10: the sensor's password answers
    };
    Kind kind = Kind::None;
    const char *status = nullptr; // source text for tr() in context "BLEDevice"
    const char *log = nullptr;    // event-log line, English
    bool startsUpdateCountdown = false; // code 5
};

// The settings echo (0xF2) of a parameter write.
struct BleSettingsEcho {
    quint8 modeByte = 0;
    quint8 filterByte = 0;
};

// Widget-free decoding of the base station's replies and building of the
// payloads the wireless page sends. Replies carry no length field, so every
// decoder checks the length before it reads a field.
class BleReplies
{
public:
    static constexpr int kIdentificationLength = 10;  // fields up to offset 8 and the CRC
    static constexpr int kDataMinLength = 38;         // fields up to offset 36 and the CRC
    static constexpr int kSettingsEchoLength = 6;     // prefix, address, code, mode, filter, CRC
    static constexpr int kTableLength = 84;           // 40 values up to offset 82 and the CRC
    static constexpr int kEchoLength = 4;             // prefix, address, code, CRC
    static constexpr int kPasswordAnswerLength = 8;   // an answer may carry the 4 password bytes
    static constexpr int kTableRows = 20;
    static constexpr int kSmoothingSteps = 16;        // "Нет", "1" ... "15"

    // Advertising mode is a range of base firmware versions.
    static constexpr quint16 kFirstAdvertisingVersion = 223;
    static constexpr quint16 kLastAdvertisingVersion = 998;

    // Link state codes at offset 27.
    static constexpr quint8 kLinkBaseReady = 0x1E;    // base works, no sensor linked yet
    static constexpr quint8 kLinkSensorLinked = 0x21; // base works and relays its sensor

    // Result codes that the page treats apart from the plain messages.
    static constexpr quint8 kResultNone = 0;
    static constexpr quint8 kResultPasswordOk = 3;
    static constexpr quint8 kResultSensorRebooted = 5;
    static constexpr quint8 kResultPasswordWrong = 10;

    // Identifier bytes the base expects after the three bytes of the number.
    static constexpr std::array<quint8, 3> kIdentifierTail = {0xDD, 0xEE, 0xFF};
    // The identifier is three bytes of the number.
    static constexpr quint32 kMaxIdentifier = 0xFFFFFF;

    // Lengths of every reply the base sends, for the reply assembler.
    static const ReplyLengths &replyLengths();

    static std::optional<BleIdentification> decodeIdentification(const QByteArray &reply);
    static std::optional<BleDataReply> decodeData(const QByteArray &reply);
    static std::optional<BleSettingsEcho> decodeSettingsEcho(const QByteArray &reply);
    // The sensor's litre/percent table: 20 levels then 20 volumes, high byte first.
    static std::optional<QVector<quint16>> decodeTable(const QByteArray &reply);

    static BleLinkState linkState(quint8 code);
    static BleCommandResult commandResult(quint8 code);
    static bool isAdvertisingVersion(quint16 version);

    // "x.y.z" from the last three decimal digits: 215 → "2.1.5", 5 → "0.0.5".
    static QString versionText(quint16 version);
    // "3.6В" for 36 tenths of a volt.
    static QString batteryText(quint8 tenths);
    // "-60dB".
    static QString rssiText(qint8 rssi);
    // "C4:7F:51:0A:12:3B": the bytes arrive least significant first.
    static QString macText(const std::array<quint8, 6> &mac);
    // Calibrated unless full > 2.2 × empty or full < 1.3 × empty.
    static bool isCalibrated(qint32 empty, qint32 full);

    // A password of the text typed (digits only; empty is 0), four bytes
    // most significant first. Nothing when the number does not fit 32 bits.
    static std::optional<quint32> passwordFromText(const QString &text);
    static QByteArray passwordPayload(quint32 password);
    // The six identifier bytes of a typed number; nothing for an empty
    // field, "0", or a number the three bytes cannot hold.
    static std::optional<QByteArray> identifierPayload(const QString &text);
};
