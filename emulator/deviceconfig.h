#pragma once

#include "sensorkind.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <optional>

// What one emulated sensor starts with, written on the command line and in the
// tool's demo mode as KIND@ADDRESS[:key=value,...], e.g. "kv510@3:lamp=15,noise=3".
struct DeviceConfig
{
    SensorKind kind = SensorKind::Fls;
    quint8 address = 1;
    quint8 modelByte = 0x61;
    int replyLength = 25;           // readings reply: 24, 25 or 29 bytes
    quint32 serial = 0;
    quint16 firmware = 254;         // shown by the tool as 2.5.4
    quint8 mode = 0x00;             // bit 7: 12-bit level; bits 0..6: output mode
    quint8 settings = 0x00;         // filtration and function bits
    qint32 empty = 5000;            // CNT of the empty tube
    qint32 full = 10000;            // CNT of the full tube
    qint8 temperature = 22;         // degrees Celsius
    quint8 lamp = 10;               // fuel lamp threshold, percent (reported by KV510)
    quint8 output = 0x00;           // KV260 output byte, bit 4: send the serial number
    quint32 password = 0;           // 0: not protected
    double noisePercent = 0.3;      // reading-to-reading swing of CNT
    double driftPercent = 0.2;      // slow wander of CNT around its set point
    std::optional<int> level;       // set point as a level; derives the CNT
    std::optional<qint32> cnt;      // set point as a raw count
    std::optional<quint32> seed;    // noise generator; the line picks one otherwise
    // > 0: the sensor power-cycles itself this long after each reset (0x88),
    // as a user would for a firmware update.
    std::chrono::milliseconds autoCycle{0};

    // The defaults of a kind at an address (serial number 700000 + address).
    static DeviceConfig defaults(SensorKind kind, quint8 address);

    // Parses one description. On failure returns nothing and, when error is
    // given, a message that names the offending part.
    static std::optional<DeviceConfig> parse(const QString &text, QString *error = nullptr);

    // Highest level the mode byte allows: 4095 with bit 7 set, else 1023.
    static int maxLevelForMode(quint8 mode);

    static QStringList keys();
    // Every kind a description may name, the base station included.
    static QStringList kindNames();
};
