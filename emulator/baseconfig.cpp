#include "baseconfig.h"

#include "configparsing.h"
#include "deviceconfig.h"

#include <limits>

namespace {

using ConfigParsing::fail;
using ConfigParsing::KeyReader;

constexpr quint32 kSerialBase = 800000; // default serial number = base + address
// Default MAC, most significant byte first; the address is the last byte.
constexpr std::array<quint8, 5> kDefaultMacPrefix = {0xC4, 0x7F, 0x51, 0x0A, 0x12};
constexpr int kMacBytes = 6;
constexpr qint64 kMaxRebootMs = 60000; // a minute of silence is more than any base needs

// "C47F510A123B" or "C4:7F:51:0A:12:3B", most significant byte first as the
// tool shows it; stored least significant first, as the data reply sends it.
std::optional<std::array<quint8, 6>> parseMac(const QString &text)
{
    QString digits = text.trimmed();
    digits.remove(QLatin1Char(':'));
    if (digits.size() != 2 * kMacBytes)
        return std::nullopt;
    std::array<quint8, 6> mac{};
    for (int i = 0; i < kMacBytes; ++i) {
        bool ok = false;
        const uint byte = digits.mid(2 * i, 2).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        mac[size_t(kMacBytes - 1 - i)] = quint8(byte);
    }
    return mac;
}

bool applyKey(BaseConfig &config, const QString &key, const QString &value, const QString &whole,
              QString *error)
{
    KeyReader read(key, value, whole, error);
    if (const auto tank = ConfigParsing::readTankKey(key, read, config))
        return *tank;
    constexpr qint64 i32Min = std::numeric_limits<qint32>::min();
    constexpr qint64 u32Max = std::numeric_limits<quint32>::max();

    if (key == QLatin1String("fw"))
        return read.integer(&config.firmware, 0, 0xFFFF);
    if (key == QLatin1String("serial"))
        return read.integer(&config.serial, i32Min, u32Max);
    if (key == QLatin1String("link"))
        return read.integer(&config.link, 0, 0xFF);
    if (key == QLatin1String("battery"))
        return read.integer(&config.battery, 0, 0xFF);
    if (key == QLatin1String("rssi"))
        return read.integer(&config.rssi, -128, 127);
    if (key == QLatin1String("mac")) {
        const auto mac = parseMac(value);
        if (!mac)
            return read.failWith(QStringLiteral("six hex bytes, e.g. C47F510A123B or C4:7F:51:0A:12:3B"));
        config.mac = *mac;
        return true;
    }
    if (key == QLatin1String("sensorfw"))
        return read.integer(&config.sensorFirmware, 0, 0xFF);
    if (key == QLatin1String("mode"))
        return read.integer(&config.mode, 0, 0xFF);
    if (key == QLatin1String("filter"))
        return read.integer(&config.filter, 0, 0xFF);
    if (key == QLatin1String("len")) {
        int length = 0;
        if (!read.integer(&length, 0, 0xFF))
            return false;
        if (!BaseConfig::replyLengths().contains(length))
            return read.failWith(QStringLiteral("a data reply length of 38, 42, 45 or 84 bytes"));
        config.replyLength = length;
        return true;
    }
    if (key == QLatin1String("basepass"))
        return read.integer(&config.basePassword, 0, u32Max);
    if (key == QLatin1String("sensorpass"))
        return read.integer(&config.sensorPassword, 0, u32Max);
    if (key == QLatin1String("reboot")) {
        qint64 ms = 0;
        if (!read.integer(&ms, 0, kMaxRebootMs))
            return false;
        config.rebootTime = std::chrono::milliseconds(ms);
        return true;
    }
    return fail(error, QStringLiteral("unknown key '%1' in '%2' (known for %3: %4)")
                           .arg(key, whole, QLatin1String(BaseConfig::kKindName),
                                BaseConfig::keys().join(QLatin1String(", "))));
}

} // namespace

BaseConfig BaseConfig::defaults(quint8 address)
{
    BaseConfig config;
    config.address = address;
    config.serial = kSerialBase + address;
    config.mac[0] = address;
    for (size_t i = 0; i < kDefaultMacPrefix.size(); ++i)
        config.mac[kDefaultMacPrefix.size() - i] = kDefaultMacPrefix[i];
    return config;
}

bool BaseConfig::describesBase(const QString &text)
{
    return ConfigParsing::kindOf(text) == QLatin1String(kKindName);
}

QList<int> BaseConfig::replyLengths()
{
    return {38, 42, 45, 84};
}

QStringList BaseConfig::keys()
{
    return {QStringLiteral("fw"),       QStringLiteral("serial"),     QStringLiteral("link"),
            QStringLiteral("battery"),  QStringLiteral("rssi"),       QStringLiteral("mac"),
            QStringLiteral("sensorfw"), QStringLiteral("mode"),       QStringLiteral("filter"),
            QStringLiteral("empty"),    QStringLiteral("full"),       QStringLiteral("level"),
            QStringLiteral("cnt"),      QStringLiteral("noise"),      QStringLiteral("drift"),
            QStringLiteral("temp"),     QStringLiteral("len"),        QStringLiteral("basepass"),
            QStringLiteral("sensorpass"), QStringLiteral("reboot"),   QStringLiteral("seed")};
}

QString BaseConfig::macText(const std::array<quint8, 6> &mac)
{
    QStringList parts;
    for (auto it = mac.rbegin(); it != mac.rend(); ++it)
        parts << QStringLiteral("%1").arg(*it, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

std::optional<BaseConfig> BaseConfig::parse(const QString &text, QString *error)
{
    const auto parts = ConfigParsing::split(text, error);
    if (!parts)
        return std::nullopt;
    const QString &whole = parts->whole;
    if (parts->kind.trimmed().toLower() != QLatin1String(kKindName)) {
        fail(error, QStringLiteral("'%1' is no base station: write %2@ADDRESS").arg(whole, QLatin1String(kKindName)));
        return std::nullopt;
    }
    BaseConfig config = defaults(parts->address);
    const bool keysRead = ConfigParsing::forEachKey(
        *parts, error, [&](const QString &key, const QString &value) {
            return applyKey(config, key, value, whole, error);
        });
    if (!keysRead)
        return std::nullopt;
    if (!ConfigParsing::checkSetPoint(config.level, config.cnt,
                                      DeviceConfig::maxLevelForMode(config.mode), whole, error))
        return std::nullopt;
    return config;
}
