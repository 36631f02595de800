#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <optional>

// What an emulated BLE base station and the wireless sensor linked to it
// start with, written as ble@ADDRESS[:key=value,...], e.g.
// "ble@1:fw=215,link=0x21,battery=36,rssi=-60,mac=C47F510A123B". A base in
// advertising mode lists the sensors it hears instead:
// "ble@1:fw=230,adv=KV_100001/5;KV_100002/6/600/36/-48*".
struct BaseConfig
{
    static constexpr const char *kKindName = "ble";
    static constexpr quint8 kLinkSensorLinked = 0x21; // base works and relays its sensor
    static constexpr quint8 kLinkBaseReady = 0x1E;    // base works, no sensor yet
    static constexpr int kDefaultReplyLength = 38;    // fields up to the result code, and the CRC
    // Advertising mode is a range of base firmware versions.
    static constexpr quint16 kFirstAdvertisingVersion = 223;
    static constexpr quint16 kLastAdvertisingVersion = 998;
    static constexpr int kMaxHeardSensors = 4;        // slots 0..3
    static constexpr const char *kNamePrefix = "KV_"; // a wireless sensor's name: the prefix, then six characters
    static constexpr int kNameCharacters = 6;

    // One sensor an advertising base hears: NAME/ADDRESS[/LEVEL[/BATTERY[/RSSI]]][*].
    struct HeardSensor {
        QString name;             // "KV_100001"
        quint8 address = 0;       // where the base answers for it on the line
        std::optional<int> level; // reported as given; without, its tank moves like the linked sensor's
        quint8 battery = 36;      // tenths of a volt
        qint8 rssi = -60;         // dB; 0: out of range
        bool connected = false;   // '*': connected from the start
    };

    quint8 address = 1;
    quint16 firmware = 215;         // base firmware, shown 2.1.5; 223..998: advertising mode
    quint32 serial = 0;             // the base's serial number
    quint8 link = kLinkSensorLinked; // link state code of the data reply
    quint8 battery = 36;            // sensor battery, tenths of a volt; 0: no sensor linked
    qint8 rssi = -60;               // signal strength of the sensor, dB
    std::array<quint8, 6> mac{};    // the sensor's MAC, least significant byte first (as sent)
    quint8 sensorFirmware = 105;    // wireless sensor firmware, shown 1.0.5
    quint8 mode = 0x00;             // sensor mode byte; bit 7: level 0..4095
    quint8 filter = 0x00;           // bit 7: thermo-compensation off; bits 0..6: smoothing
    qint32 empty = 5000;            // sensor CNT of the empty tube
    qint32 full = 10000;            // sensor CNT of the full tube
    qint8 temperature = 22;         // sensor temperature, degrees Celsius
    double noisePercent = 0.3;
    double driftPercent = 0.2;
    std::optional<int> level;
    std::optional<qint32> cnt;
    int replyLength = kDefaultReplyLength; // data reply: 38, 42, 45 or 84 bytes
    quint32 basePassword = 0;       // 0: the base is not protected
    quint32 sensorPassword = 0;     // 0: the sensor is not protected
    std::chrono::milliseconds rebootTime{3000}; // silence while the base reboots
    std::optional<quint32> seed;
    QList<HeardSensor> heard;       // adv=, in slot order; empty: none heard
    std::optional<quint8> advertisingConfiguration; // advflags=: the base's configuration byte

    // The defaults at an address: serial number 800000 + address, MAC
    // C4:7F:51:0A:12:<address>.
    static BaseConfig defaults(quint8 address);

    // True when the description names the base station kind.
    static bool describesBase(const QString &text);
    // Parses one description. On failure returns nothing and, when error is
    // given, a message that names the offending part.
    static std::optional<BaseConfig> parse(const QString &text, QString *error = nullptr);

    static bool isAdvertisingFirmware(quint16 version);
    // Where the base answers on the line: its heard sensors' addresses, or
    // its own while it hears none.
    QList<quint8> lineAddresses() const;

    // The data reply lengths the base uses.
    static QList<int> replyLengths();
    static QStringList keys();
    // "C4:7F:51:0A:12:3B", most significant byte first, as the tool shows it.
    static QString macText(const std::array<quint8, 6> &mac);
};
