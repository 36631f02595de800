#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// What an emulated AQ420 angle sensor starts with, written as
// aq420@ADDRESS[:key=value,...], e.g. "aq420@4:angle=35,up=80,down=10,mode=0x10".
struct Aq420Config
{
    static constexpr const char *kKindName = "aq420";
    static constexpr int kMaxAngle = 359; // degrees the sensor can be tilted to
    static constexpr int kMaxLimit = 180; // degrees of Up and Down

    quint8 address = 1;
    quint32 serial = 0;      // default 900000 + address
    quint16 firmware = 123;  // shown by the tool as 1.2.3; 0: not reported yet
    int angle = 45;          // where the sensor stands, degrees from its zero
    int up = 70;             // upper limit, degrees
    int down = 20;           // lower limit, degrees
    quint16 delayOn = 5;     // switch-on delay
    quint16 delayOff = 5;    // switch-off delay
    quint8 mode = 0x00;      // mode byte: bit 0 master, 0x02/0x04/0x08/0x10 the modes
    bool frozen = false;     // echoes changes but keeps its settings (a worn memory)

    // The defaults at an address (serial number 900000 + address).
    static Aq420Config defaults(quint8 address);

    // True when the description names the angle sensor kind.
    static bool describes(const QString &text);
    // Parses one description. On failure returns nothing and, when error is
    // given, a message that names the offending part.
    static std::optional<Aq420Config> parse(const QString &text, QString *error = nullptr);
    static QStringList keys();
};
