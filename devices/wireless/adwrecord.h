#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <optional>

// One advertising record: what a base station in advertising mode reports
// for one wireless sensor it hears, in answer to 0xF0 at the sensor's
// address. Values are least significant byte first.
struct AdwRecord {
    static constexpr int kNameSize = 6;                // the characters after "KV_"
    static constexpr quint8 kLinkLinkedSensor = 0x1F;  // the sensor the base is linked to
    static constexpr quint8 kLastConnectedState = 9;   // 0..9 connected, above not
    static constexpr quint8 kNotConnected = 0xFF;      // what an emptied record holds

    quint8 address = 0;
    qint8 temperature = 0; // °C
    quint16 level = 0;
    qint32 raw = 0;
    qint32 empty = 0;
    qint32 full = 0;
    quint16 furtherValue = 0;
    quint8 modeByte = 0; // bit 7: 0..4095 scale
    quint8 byte21 = 0;
    quint8 filterByte = 0;
    quint8 sensorFirmware = 0;
    quint8 linkState = 0;
    qint8 rssi = 0;      // dB; 0: no sensor heard
    quint8 battery = 0;  // tenths of a volt
    std::array<char, kNameSize> name{};
    quint8 connectionState = kNotConnected;
    quint8 flags = 0;    // bits 0..2: slots 1..3; bits 3..6: additional parameters of slots 0..3
    quint8 byte41 = 0;

    bool isLinkedSensor() const { return linkState == kLinkLinkedSensor; }
    bool isConnected() const { return connectionState <= kLastConnectedState; }
    bool hasFilter() const { return filterByte != 0; }
    bool isSignalLost() const { return rssi == 0; }
    int scaleMaximum() const { return (modeByte & 0x80) ? 4096 : 1024; }
    QString nameText() const;
};

// Widget-free rules of the advertising page: decoding a record, the slots
// it fills, the base's configuration byte, the address edit and the check
// for sensors on neighbouring addresses.
namespace AdwRules {

constexpr int kSlots = 4;
constexpr int kMinRecordLength = 43; // fields up to offset 41, then the CRC
constexpr int kFirstDopBit = 3;      // additional parameters of slot 0; slot k is bit 3 + k
constexpr int kMaxNameDigits = 16;   // the longest serial number the dialog sends
constexpr char kNamePrefix[] = "KV_";

// The fields of a record; nothing for a frame too short, without the reply
// prefix or not an 0xF0 reply. The CRC is the caller's to check.
std::optional<AdwRecord> decode(const QByteArray &frame);
// The record as the page keeps it: a signal strength of 0 means no sensor
// was heard, so its readings, flags and link go.
AdwRecord emptiedIfLost(const AdwRecord &record);

// The slots a record fills: the linked sensor slot 0, any other the slots
// 1..3 whose bits 0..2 are set (one record may fill several).
QVector<int> slotsOf(const AdwRecord &record);
bool dopBit(quint8 flags, int slot);
// The configuration byte that switches a slot's sensor and its additional
// parameters; slot 0 (the linked sensor) has no switch of its own.
quint8 switchedFlags(quint8 flags, int slot, bool enableDevice, bool enableDop);

// "12", or with additional parameters on "12,13": the sensor then answers
// on two consecutive addresses.
QString addressEditText(int address, bool dop);
// The new address typed: the text before the first comma, 1..254.
std::optional<quint8> addressFromEdit(const QString &text);
// True when two of the enabled sensors' addresses, both non-zero, differ by one.
bool hasNeighbouringAddresses(QVector<int> addresses);

// The six bytes a typed serial number is matched against, in the local
// 8-bit encoding, zero-filled.
std::array<char, AdwRecord::kNameSize> nameForConnect(const QString &text);
// The payload of 0xEA after the write key: "KV_" and the digits typed;
// nothing for an empty text, a non-digit or more than kMaxNameDigits.
std::optional<QByteArray> namePayload(const QString &digits);

} // namespace AdwRules
