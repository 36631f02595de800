#include "deviceconfig.h"

#include <limits>

namespace {

constexpr quint32 kSerialBase = 700000;    // default serial number = base + address
constexpr int kMaxLevel10Bit = 1023;       // mode bit 7 clear
constexpr int kMaxLevel12Bit = 4095;       // mode bit 7 set
constexpr quint8 kResolutionBit = 0x80;   // mode byte, bit 7
constexpr int kFirstUsableAddress = 1;     // the tool's address list ends at a zero byte
constexpr int kLastUsableAddress = 254;    // 255 is the search broadcast

// Decimal, or hexadecimal with a 0x prefix (no octal surprises for "010").
std::optional<qint64> parseInteger(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("-0x"), Qt::CaseInsensitive))
        value = -t.mid(3).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

class KeyReader
{
public:
    KeyReader(const QString &key, const QString &value, const QString &whole, QString *error)
        : m_key(key), m_value(value), m_whole(whole), m_error(error)
    {
    }

    template<typename T>
    bool integer(T *target, qint64 low, qint64 high)
    {
        const auto value = parseInteger(m_value);
        if (!value || *value < low || *value > high) {
            return fail(m_error, QStringLiteral("bad value '%1' for %2 in '%3': expected a number %4..%5")
                                     .arg(m_value, m_key, m_whole)
                                     .arg(low)
                                     .arg(high));
        }
        *target = T(*value);
        return true;
    }

    bool percent(double *target)
    {
        bool ok = false;
        const double value = m_value.trimmed().toDouble(&ok);
        if (!ok || value < 0.0 || value > 100.0) {
            return fail(m_error, QStringLiteral("bad value '%1' for %2 in '%3': expected a percentage 0..100")
                                     .arg(m_value, m_key, m_whole));
        }
        *target = value;
        return true;
    }

private:
    QString m_key;
    QString m_value;
    QString m_whole;
    QString *m_error;
};

bool applyKey(DeviceConfig &config, const QString &key, const QString &value, const QString &whole,
              QString *error)
{
    KeyReader read(key, value, whole, error);
    constexpr qint64 i32Min = std::numeric_limits<qint32>::min();
    constexpr qint64 i32Max = std::numeric_limits<qint32>::max();
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
    if (key == QLatin1String("empty"))
        return read.integer(&config.empty, i32Min, i32Max);
    if (key == QLatin1String("full"))
        return read.integer(&config.full, i32Min, i32Max);
    if (key == QLatin1String("temp"))
        return read.integer(&config.temperature, -128, 127);
    if (key == QLatin1String("lamp"))
        return read.integer(&config.lamp, 0, 0xFF);
    if (key == QLatin1String("out")) {
        if (config.kind != SensorKind::Kv260)
            return fail(error, QStringLiteral("out= in '%1': only kv260 has an output byte").arg(whole));
        return read.integer(&config.output, 0, 0xFF);
    }
    if (key == QLatin1String("password"))
        return read.integer(&config.password, 0, u32Max);
    if (key == QLatin1String("noise"))
        return read.percent(&config.noisePercent);
    if (key == QLatin1String("drift"))
        return read.percent(&config.driftPercent);
    if (key == QLatin1String("level")) {
        int level = 0;
        if (!read.integer(&level, 0, kMaxLevel12Bit))
            return false;
        config.level = level;
        return true;
    }
    if (key == QLatin1String("cnt")) {
        qint32 cnt = 0;
        if (!read.integer(&cnt, i32Min, i32Max))
            return false;
        config.cnt = cnt;
        return true;
    }
    if (key == QLatin1String("seed")) {
        quint32 seed = 0;
        if (!read.integer(&seed, 0, u32Max))
            return false;
        config.seed = seed;
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
            QStringLiteral("password"), QStringLiteral("seed")};
}

std::optional<DeviceConfig> DeviceConfig::parse(const QString &text, QString *error)
{
    const QString whole = text.trimmed();
    const int at = int(whole.indexOf(QLatin1Char('@')));
    if (at < 0) {
        fail(error, QStringLiteral("'%1' has no address: write KIND@ADDRESS, e.g. kv510@1").arg(whole));
        return std::nullopt;
    }
    const QString kindName = whole.left(at);
    const auto kind = SensorKinds::fromName(kindName);
    if (!kind) {
        fail(error, QStringLiteral("unknown device kind '%1' in '%2' (known: %3)")
                        .arg(kindName, whole, SensorKinds::names().join(QLatin1String(", "))));
        return std::nullopt;
    }

    const QString rest = whole.mid(at + 1);
    const int colon = int(rest.indexOf(QLatin1Char(':')));
    const QString addressText = colon < 0 ? rest : rest.left(colon);
    const auto address = parseInteger(addressText);
    if (!address || *address < kFirstUsableAddress || *address > kLastUsableAddress) {
        fail(error, QStringLiteral("bad address '%1' in '%2': expected a number %3..%4")
                        .arg(addressText, whole)
                        .arg(kFirstUsableAddress)
                        .arg(kLastUsableAddress));
        return std::nullopt;
    }

    DeviceConfig config = defaults(*kind, quint8(*address));
    if (colon >= 0) {
        const QStringList pairs = rest.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &pair : pairs) {
            const int eq = int(pair.indexOf(QLatin1Char('=')));
            if (eq < 0) {
                fail(error, QStringLiteral("'%1' in '%2' needs a value: write key=value")
                                .arg(pair.trimmed(), whole));
                return std::nullopt;
            }
            const QString key = pair.left(eq).trimmed().toLower();
            if (!applyKey(config, key, pair.mid(eq + 1), whole, error))
                return std::nullopt;
        }
    }

    const QString conflict = SensorKinds::replyLengthConflict(config.kind, config.replyLength);
    if (!conflict.isEmpty()) {
        fail(error, QStringLiteral("%1 (in '%2')").arg(conflict, whole));
        return std::nullopt;
    }
    if (config.level && config.cnt) {
        fail(error, QStringLiteral("'%1' gives both level= and cnt=: give one, the other follows").arg(whole));
        return std::nullopt;
    }
    const int maxLevel = maxLevelForMode(config.mode);
    if (config.level && *config.level > maxLevel) {
        fail(error, QStringLiteral("level=%1 in '%2' is above %3, the top of this mode's resolution")
                        .arg(*config.level)
                        .arg(whole)
                        .arg(maxLevel));
        return std::nullopt;
    }
    return config;
}
