#include "aq420config.h"

#include "configparsing.h"

#include <limits>

namespace {

using ConfigParsing::fail;
using ConfigParsing::KeyReader;

constexpr quint32 kSerialBase = 900000; // default serial number = base + address
constexpr qint64 kMaxDelay = 0xFFFF;    // the sensor keeps two bytes

bool applyKey(Aq420Config &config, const QString &key, const QString &value, const QString &whole,
              QString *error)
{
    KeyReader read(key, value, whole, error);
    constexpr qint64 i32Min = std::numeric_limits<qint32>::min();
    constexpr qint64 u32Max = std::numeric_limits<quint32>::max();
    if (key == QLatin1String("serial"))
        return read.integer(&config.serial, i32Min, u32Max);
    if (key == QLatin1String("fw"))
        return read.integer(&config.firmware, 0, 0xFFFF);
    if (key == QLatin1String("angle"))
        return read.integer(&config.angle, 0, Aq420Config::kMaxAngle);
    if (key == QLatin1String("up"))
        return read.integer(&config.up, 0, Aq420Config::kMaxLimit);
    if (key == QLatin1String("down"))
        return read.integer(&config.down, 0, Aq420Config::kMaxLimit);
    if (key == QLatin1String("delayon"))
        return read.integer(&config.delayOn, 0, kMaxDelay);
    if (key == QLatin1String("delayoff"))
        return read.integer(&config.delayOff, 0, kMaxDelay);
    if (key == QLatin1String("mode"))
        return read.integer(&config.mode, 0, 0xFF);
    if (key == QLatin1String("frozen")) {
        int flag = 0;
        if (!read.integer(&flag, 0, 1))
            return false;
        config.frozen = flag == 1;
        return true;
    }
    return fail(error, QStringLiteral("unknown key '%1' in '%2' (known for %3: %4)")
                           .arg(key, whole, QLatin1String(Aq420Config::kKindName),
                                Aq420Config::keys().join(QLatin1String(", "))));
}

} // namespace

Aq420Config Aq420Config::defaults(quint8 address)
{
    Aq420Config config;
    config.address = address;
    config.serial = kSerialBase + address;
    return config;
}

bool Aq420Config::describes(const QString &text)
{
    return ConfigParsing::kindOf(text) == QLatin1String(kKindName);
}

QStringList Aq420Config::keys()
{
    return {QStringLiteral("serial"),  QStringLiteral("fw"),      QStringLiteral("angle"),
            QStringLiteral("up"),      QStringLiteral("down"),    QStringLiteral("delayon"),
            QStringLiteral("delayoff"), QStringLiteral("mode"),   QStringLiteral("frozen")};
}

std::optional<Aq420Config> Aq420Config::parse(const QString &text, QString *error)
{
    const auto parts = ConfigParsing::split(text, error);
    if (!parts)
        return std::nullopt;
    if (parts->kind.trimmed().toLower() != QLatin1String(kKindName)) {
        fail(error, QStringLiteral("'%1' is not an angle sensor").arg(parts->whole));
        return std::nullopt;
    }
    Aq420Config config = defaults(parts->address);
    const bool keysRead = ConfigParsing::forEachKey(
        *parts, error, [&](const QString &key, const QString &value) {
            return applyKey(config, key, value, parts->whole, error);
        });
    if (!keysRead)
        return std::nullopt;
    return config;
}
