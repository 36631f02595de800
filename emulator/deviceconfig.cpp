#include "deviceconfig.h"

#include "aq420config.h"
#include "baseconfig.h"
#include "configparsing.h"
#include "tagconfig.h"

#include <limits>

namespace {

using ConfigParsing::fail;
using ConfigParsing::KeyReader;

constexpr quint32 kSerialBase = 700000;    // default serial number = base + address
constexpr int kMaxLevel10Bit = 1023;       // mode bit 7 clear
constexpr int kMaxLevel12Bit = 4095;       // mode bit 7 set
constexpr quint8 kResolutionBit = 0x80;   // mode byte, bit 7
constexpr qint64 kMaxAutoCycle = 60 * 1000; // ms

bool applyKey(DeviceConfig &config, const QString &key, const QString &value, const QString &whole,
              QString *error)
{
    KeyReader read(key, value, whole, error);
    if (const auto tank = ConfigParsing::readTankKey(key, read, config))
        return *tank;
    constexpr qint64 i32Min = std::numeric_limits<qint32>::min();
    constexpr qint64 u32Max = std::numeric_limits<quint32>::max();

    if (key == QLatin1String("serial"))
        return read.integer(&config.serial, i32Min, u32Max);
    if (key == QLatin1String("fw"))
        return read.integer(&config.firmware, 0, 0xFFFF);
    if (key == QLatin1String("model"))
        return read.integer(&config.modelByte, 0, 0xFF);
    if (key == QLatin1String("len"))
        return read.integer(&config.replyLength, 0, 0xFF);
    if (key == QLatin1String("mode"))
        return read.integer(&config.mode, 0, 0xFF);
    if (key == QLatin1String("settings"))
        return read.integer(&config.settings, 0, 0xFF);
    if (key == QLatin1String("lamp"))
        return read.integer(&config.lamp, 0, 0xFF);
    if (key == QLatin1String("out")) {
        if (config.kind != SensorKind::Kv260)
            return fail(error, QStringLiteral("out= in '%1': only kv260 has an output byte").arg(whole));
        return read.integer(&config.output, 0, 0xFF);
    }
    if (key == QLatin1String("password"))
        return read.integer(&config.password, 0, u32Max);
    if (key == QLatin1String("autocycle")) {
        qint64 ms = 0;
        if (!read.integer(&ms, 0, kMaxAutoCycle))
            return false;
        config.autoCycle = std::chrono::milliseconds(ms);
        return true;
    }
    return fail(error, QStringLiteral("unknown key '%1' in '%2' (known: %3)")
                           .arg(key, whole, DeviceConfig::keys().join(QLatin1String(", "))));
}

} // namespace

DeviceConfig DeviceConfig::defaults(SensorKind kind, quint8 address)
{
    DeviceConfig config;
    config.kind = kind;
    config.address = address;
    config.modelByte = SensorKinds::modelByte(kind);
    config.replyLength = SensorKinds::defaultReplyLength(kind);
    config.serial = kSerialBase + address;
    return config;
}

int DeviceConfig::maxLevelForMode(quint8 mode)
{
    return (mode & kResolutionBit) ? kMaxLevel12Bit : kMaxLevel10Bit;
}

QStringList DeviceConfig::keys()
{
    return {QStringLiteral("serial"), QStringLiteral("fw"),    QStringLiteral("model"),
            QStringLiteral("len"),    QStringLiteral("level"), QStringLiteral("cnt"),
            QStringLiteral("noise"),  QStringLiteral("drift"), QStringLiteral("temp"),
            QStringLiteral("mode"),   QStringLiteral("settings"), QStringLiteral("empty"),
            QStringLiteral("full"),   QStringLiteral("lamp"),  QStringLiteral("out"),
            QStringLiteral("password"), QStringLiteral("seed"), QStringLiteral("autocycle")};
}

QStringList DeviceConfig::kindNames()
{
    return SensorKinds::names() << QLatin1String(BaseConfig::kKindName)
                                << QLatin1String(Aq420Config::kKindName)
                                << QLatin1String(TagConfig::kKindName);
}

std::optional<DeviceConfig> DeviceConfig::parse(const QString &text, QString *error)
{
    // The kind is judged before the address, so "kv999@x" names the kind.
    const QString whole = text.trimmed();
    const int at = int(whole.indexOf(QLatin1Char('@')));
    const auto kind = SensorKinds::fromName(whole.left(at));
    if (at >= 0 && !kind) {
        if (ConfigParsing::kindOf(whole) == QLatin1String(BaseConfig::kKindName))
            fail(error, QStringLiteral("'%1' is a base station, not a wired sensor").arg(whole));
        else if (Aq420Config::describes(whole))
            fail(error, QStringLiteral("'%1' is an angle sensor, not a wired sensor").arg(whole));
        else
            fail(error, QStringLiteral("unknown device kind '%1' in '%2' (known: %3)")
                            .arg(whole.left(at), whole, kindNames().join(QLatin1String(", "))));
        return std::nullopt;
    }
    const auto parts = ConfigParsing::split(whole, error);
    if (!parts)
        return std::nullopt;

    DeviceConfig config = defaults(*kind, parts->address);
    const bool keysRead = ConfigParsing::forEachKey(
        *parts, error, [&](const QString &key, const QString &value) {
            return applyKey(config, key, value, whole, error);
        });
    if (!keysRead)
        return std::nullopt;

    const QString conflict = SensorKinds::replyLengthConflict(config.kind, config.replyLength);
    if (!conflict.isEmpty()) {
        fail(error, QStringLiteral("%1 (in '%2')").arg(conflict, whole));
        return std::nullopt;
    }
    if (!ConfigParsing::checkSetPoint(config.level, config.cnt, maxLevelForMode(config.mode), whole,
                                      error))
        return std::nullopt;
    return config;
}
