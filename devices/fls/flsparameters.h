#pragma once

#include "flsreplies.h"

#include <QString>
#include <QStringList>

// The wired sensor's parameter form: output modes and filtration levels,
// their texts and the codes written to and read from the sensor.
class FlsParameters
{
public:
    // Output mode codes (bits 0..6 of the mode byte).
    static constexpr quint8 kModeRs485 = 0x00;
    static constexpr quint8 kModeAnalog = 0x02;
    static constexpr quint8 kModeFrequency = 0x04;
    static constexpr quint8 kModePulse = 0x06;
    static constexpr quint8 kModePeriodicRs485 = 0x10;
    static constexpr quint8 kModeRs232 = 0x12;
    static constexpr quint8 kTwelveBit = 0x80; // mode byte: 12-bit resolution

    // Filtration codes the KV models are written with, by list entry.
    // "Тяжёлые условия" has a code of its own, so that it reads back as itself.
    static constexpr quint8 kKvFiltrationCodes[5] = {0, 3, 5, 12, 15};

    static QStringList modeTexts(FlsModel model);
    static QString modeText(quint8 code); // empty for an unknown code
    static quint8 modeCode(const QString &text);
    static QStringList kvFiltrationTexts();
    static QStringList genericFiltrationTexts();
    static quint8 filtrationCode(FlsModel model, int index);
    static int filtrationIndex(FlsModel model, quint8 code);
};
