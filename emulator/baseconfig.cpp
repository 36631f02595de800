#include "baseconfig.h"

#include "configparsing.h"
#include "deviceconfig.h"

#include <algorithm>
#include <limits>

namespace {

using ConfigParsing::fail;
using ConfigParsing::KeyReader;

constexpr quint32 kSerialBase = 800000; // default serial number = base + address
// Default MAC, most significant byte first; the address is the last byte.
constexpr std::array<quint8, 5> kDefaultMacPrefix = {0xC4, 0x7F, 0x51, 0x0A, 0x12};
constexpr int kMacBytes = 6;
constexpr qint64 kMaxRebootMs = 60000; // a minute of silence is more than any base needs
constexpr int kMaxLevel = 4095;        // the 12-bit scale; the mode decides later

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

// One field of a heard sensor, a number low..high; an empty field keeps the default.
template<typename T>
bool heardNumber(const QStringList &fields, int index, const char *what, qint64 low, qint64 high,
                 T *target, const QString &where, QString *error)
{
    if (index >= fields.size() || fields.at(index).trimmed().isEmpty())
        return true;
    const auto value = ConfigParsing::parseInteger(fields.at(index));
    if (!value || *value < low || *value > high)
        return fail(error, QStringLiteral("bad %1 '%2' %3: expected a number %4..%5")
                               .arg(QLatin1String(what), fields.at(index).trimmed(), where)
                               .arg(low)
                               .arg(high));
    *target = T(*value);
    return true;
}

bool isNameCharacter(QChar c)
{
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

// adv=NAME/ADDRESS[/LEVEL[/BATTERY[/RSSI]]][*];... : the sensors the base hears, in slot order.
std::optional<QList<BaseConfig::HeardSensor>> parseHeard(const QString &value, const QString &whole,
                                                          QString *error)
{
    const QStringList entries = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (entries.isEmpty()) {
        fail(error, QStringLiteral("adv= in '%1' lists no sensor: write adv=NAME/ADDRESS;... e.g. adv=KV_100001/5")
                        .arg(whole));
        return std::nullopt;
    }
    if (entries.size() > BaseConfig::kMaxHeardSensors) {
        fail(error, QStringLiteral("adv= in '%1' lists %2 sensors: a base hears at most %3")
                        .arg(whole)
                        .arg(entries.size())
                        .arg(BaseConfig::kMaxHeardSensors));
        return std::nullopt;
    }
    QList<BaseConfig::HeardSensor> heard;
    for (const QString &entry : entries) {
        QString text = entry.trimmed();
        const QString where = QStringLiteral("in sensor '%1' of '%2'").arg(text, whole);
        BaseConfig::HeardSensor sensor;
        sensor.connected = text.endsWith(QLatin1Char('*'));
        if (sensor.connected)
            text.chop(1);
        const QStringList fields = text.split(QLatin1Char('/'));
        if (fields.size() < 2 || fields.size() > 5) {
            fail(error, QStringLiteral("sensor '%1' in '%2': write NAME/ADDRESS[/LEVEL[/BATTERY[/RSSI]]][*], "
                                       "e.g. KV_100001/5/600/36/-48*")
                            .arg(entry.trimmed(), whole));
            return std::nullopt;
        }
        sensor.name = fields.at(0).trimmed();
        const QString characters = sensor.name.mid(int(qstrlen(BaseConfig::kNamePrefix)));
        if (!sensor.name.startsWith(QLatin1String(BaseConfig::kNamePrefix))
            || characters.size() != BaseConfig::kNameCharacters
            || !std::all_of(characters.begin(), characters.end(), isNameCharacter)) {
            fail(error, QStringLiteral("bad name '%1' %2: expected %3 and %4 letters or digits, e.g. KV_100001")
                            .arg(sensor.name, where, QLatin1String(BaseConfig::kNamePrefix))
                            .arg(BaseConfig::kNameCharacters));
            return std::nullopt;
        }
        if (fields.at(1).trimmed().isEmpty()) {
            fail(error, QStringLiteral("sensor '%1' in '%2' has no address").arg(entry.trimmed(), whole));
            return std::nullopt;
        }
        int level = -1;
        if (!heardNumber(fields, 1, "address", ConfigParsing::kFirstUsableAddress,
                         ConfigParsing::kLastUsableAddress, &sensor.address, where, error)
            || !heardNumber(fields, 2, "level", 0, kMaxLevel, &level, where, error)
            || !heardNumber(fields, 3, "battery", 0, 0xFF, &sensor.battery, where, error)
            || !heardNumber(fields, 4, "rssi", -128, 127, &sensor.rssi, where, error))
            return std::nullopt;
        if (level >= 0)
            sensor.level = level;
        for (const BaseConfig::HeardSensor &other : heard) {
            if (other.address == sensor.address) {
                fail(error, QStringLiteral("address %1 twice in adv= of '%2': every heard sensor has its own")
                                .arg(sensor.address)
                                .arg(whole));
                return std::nullopt;
            }
            if (other.name == sensor.name) {
                fail(error, QStringLiteral("%1 twice in adv= of '%2': the base hears each sensor once")
                                .arg(sensor.name, whole));
                return std::nullopt;
            }
        }
        heard.append(sensor);
    }
    return heard;
}

// What only an advertising base has: firmware 223..998, levels within the mode.
bool checkAdvertising(const BaseConfig &config, const QString &whole, QString *error)
{
    if ((!config.heard.isEmpty() || config.advertisingConfiguration)
        && !BaseConfig::isAdvertisingFirmware(config.firmware)) {
        return fail(error, QStringLiteral("%1 in '%2' needs an advertising base, firmware %3..%4, not fw=%5")
                               .arg(config.heard.isEmpty() ? QStringLiteral("advflags=") : QStringLiteral("adv="),
                                    whole)
                               .arg(BaseConfig::kFirstAdvertisingVersion)
                               .arg(BaseConfig::kLastAdvertisingVersion)
                               .arg(config.firmware));
    }
    const int maxLevel = DeviceConfig::maxLevelForMode(config.mode);
    for (const BaseConfig::HeardSensor &sensor : config.heard) {
        if (sensor.level && *sensor.level > maxLevel)
            return fail(error, QStringLiteral("level %1 of %2 in '%3' is above %4, the top of this mode's resolution")
                                   .arg(*sensor.level)
                                   .arg(sensor.name, whole)
                                   .arg(maxLevel));
    }
    return true;
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
    if (key == QLatin1String("adv")) {
        const auto heard = parseHeard(value, whole, error);
        if (!heard)
            return false;
        config.heard = *heard;
        return true;
    }
    if (key == QLatin1String("advflags")) {
        quint8 byte = 0;
        if (!read.integer(&byte, 0, 0xFF))
            return false;
        config.advertisingConfiguration = byte;
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

bool BaseConfig::isAdvertisingFirmware(quint16 version)
{
    return version >= kFirstAdvertisingVersion && version <= kLastAdvertisingVersion;
}

QList<quint8> BaseConfig::lineAddresses() const
{
    if (heard.isEmpty())
        return {address};
    QList<quint8> addresses;
    for (const HeardSensor &sensor : heard)
        addresses.append(sensor.address);
    return addresses;
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
            QStringLiteral("sensorpass"), QStringLiteral("reboot"),   QStringLiteral("seed"),
            QStringLiteral("adv"),      QStringLiteral("advflags")};
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
    if (!checkAdvertising(config, whole, error))
        return std::nullopt;
    return config;
}
