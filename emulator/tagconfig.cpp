#include "tagconfig.h"

#include "configparsing.h"

#include <limits>

namespace {

using ConfigParsing::fail;
using ConfigParsing::KeyReader;

constexpr quint32 kSerialBase = 900000; // default serial number = base + address

bool applyKey(TagConfig &config, const QString &key, const QString &value, const QString &whole,
              QString *error)
{
    KeyReader read(key, value, whole, error);
    constexpr qint64 i32Min = std::numeric_limits<qint32>::min();
    constexpr qint64 u32Max = std::numeric_limits<quint32>::max();
    if (key == QLatin1String("mode"))
        return read.integer(&config.mode, 0, 0xFF);
    if (key == QLatin1String("serial"))
        return read.integer(&config.serial, i32Min, u32Max);
    if (key == QLatin1String("fw"))
        return read.integer(&config.firmware, 0, 0xFFFF);
    if (key == QLatin1String("id"))
        return read.integer(&config.identifier, 0, u32Max);
    return fail(error, QStringLiteral("unknown key '%1' in '%2' (known for %3: %4)")
                           .arg(key, whole, QLatin1String(TagConfig::kKindName),
                                TagConfig::keys().join(QLatin1String(", "))));
}

} // namespace

TagConfig TagConfig::defaults(quint8 address)
{
    TagConfig config;
    config.address = address;
    config.serial = kSerialBase + address;
    return config;
}

bool TagConfig::describesTag(const QString &text)
{
    return ConfigParsing::kindOf(text) == QLatin1String(kKindName);
}

QStringList TagConfig::keys()
{
    return {QStringLiteral("mode"), QStringLiteral("serial"), QStringLiteral("fw"),
            QStringLiteral("id")};
}

std::optional<TagConfig> TagConfig::parse(const QString &text, QString *error)
{
    const auto parts = ConfigParsing::split(text, error);
    if (!parts)
        return std::nullopt;
    const QString &whole = parts->whole;
    if (parts->kind.trimmed().toLower() != QLatin1String(kKindName)) {
        fail(error, QStringLiteral("'%1' is no tag reader: write %2@ADDRESS").arg(whole, QLatin1String(kKindName)));
        return std::nullopt;
    }
    TagConfig config = defaults(parts->address);
    const bool keysRead = ConfigParsing::forEachKey(
        *parts, error, [&](const QString &key, const QString &value) {
            return applyKey(config, key, value, whole, error);
        });
    if (!keysRead)
        return std::nullopt;
    return config;
}
