#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <limits>
#include <optional>

// The parts every device description shares: KIND@ADDRESS[:key=value,...],
// numbers in decimal or 0x hex, and messages that name the offending part.
namespace ConfigParsing {

constexpr int kFirstUsableAddress = 1; // the tool's address list ends at a zero byte
constexpr int kLastUsableAddress = 254; // 255 is the search broadcast

// Decimal, or hexadecimal with a 0x prefix (no octal surprises for "010").
std::optional<qint64> parseInteger(const QString &text);

// Stores message in *error when error is given; returns false.
bool fail(QString *error, const QString &message);

// The kind before the '@', lower case; empty when there is no '@'.
QString kindOf(const QString &description);

// One description cut into its parts.
struct Parts {
    QString whole;
    QString kind;
    quint8 address = 0;
    QStringList pairs; // "key=value"
};

// Splits and checks the frame of a description: an '@', an address
// 1..254. The kind is not checked here.
std::optional<Parts> split(const QString &text, QString *error);

// Walks the key=value pairs; apply gets the lower-case key and the value.
bool forEachKey(const Parts &parts, QString *error,
                const std::function<bool(const QString &key, const QString &value)> &apply);

// A set point is given as a level or as a raw count, not both, and a level
// must lie within the resolution of the mode.
bool checkSetPoint(const std::optional<int> &level, const std::optional<qint32> &cnt, int maxLevel,
                   const QString &whole, QString *error);

// Reads the value of one key into a field, with a message naming the key
// and the description when it does not fit.
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

    bool percent(double *target);
    bool failWith(const QString &expected);

    const QString &value() const { return m_value; }

private:
    QString m_key;
    QString m_value;
    QString m_whole;
    QString *m_error;
};

// The keys of the tank a device measures, alike on a wired sensor and on the
// sensor behind a base station. Nothing when key is not one of them;
// otherwise whether its value was taken.
template<typename Config>
std::optional<bool> readTankKey(const QString &key, KeyReader &read, Config &config)
{
    constexpr qint64 i32Min = std::numeric_limits<qint32>::min();
    constexpr qint64 i32Max = std::numeric_limits<qint32>::max();
    constexpr qint64 u32Max = std::numeric_limits<quint32>::max();
    constexpr int kMaxLevel = 4095; // the 12-bit scale; the mode decides later
    if (key == QLatin1String("empty"))
        return read.integer(&config.empty, i32Min, i32Max);
    if (key == QLatin1String("full"))
        return read.integer(&config.full, i32Min, i32Max);
    if (key == QLatin1String("temp"))
        return read.integer(&config.temperature, -128, 127);
    if (key == QLatin1String("noise"))
        return read.percent(&config.noisePercent);
    if (key == QLatin1String("drift"))
        return read.percent(&config.driftPercent);
    if (key == QLatin1String("level")) {
        int level = 0;
        if (!read.integer(&level, 0, kMaxLevel))
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
    return std::nullopt;
}

} // namespace ConfigParsing
