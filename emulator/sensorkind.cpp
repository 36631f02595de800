#include "sensorkind.h"

#include <array>

namespace {

struct KindInfo {
    SensorKind kind;
    const char *name;
    quint8 modelByte;
    int defaultReplyLength;
};

// KV260 answers with 29 bytes by default because offset 23 carries its output
// byte; every other kind uses 25 bytes.
constexpr std::array<KindInfo, 5> kKinds = {{
    {SensorKind::Fls, "fls", 0x61, SensorKinds::kMediumReply},
    {SensorKind::Kv210, "kv210", 0x02, SensorKinds::kMediumReply},
    {SensorKind::Kv260, "kv260", 0x03, SensorKinds::kLongReply},
    {SensorKind::Kv510, "kv510", 0x01, SensorKinds::kMediumReply},
    {SensorKind::Kv610, "kv610", 0x60, SensorKinds::kMediumReply},
}};

const KindInfo &info(SensorKind kind)
{
    for (const KindInfo &entry : kKinds) {
        if (entry.kind == kind)
            return entry;
    }
    return kKinds.front();
}

} // namespace

namespace SensorKinds {

QString name(SensorKind kind)
{
    return QString::fromLatin1(info(kind).name);
}

std::optional<SensorKind> fromName(const QString &name)
{
    const QString wanted = name.trimmed().toLower();
    for (const KindInfo &entry : kKinds) {
        if (wanted == QLatin1String(entry.name))
            return entry.kind;
    }
    return std::nullopt;
}

QStringList names()
{
    QStringList list;
    for (const KindInfo &entry : kKinds)
        list << QString::fromLatin1(entry.name);
    return list;
}

quint8 modelByte(SensorKind kind)
{
    return info(kind).modelByte;
}

int defaultReplyLength(SensorKind kind)
{
    return info(kind).defaultReplyLength;
}

int modelByteOffset(int replyLength)
{
    switch (replyLength) {
    case kShortReply:
        return 21;
    case kMediumReply:
        return 23;
    case kLongReply:
        return 27;
    default:
        return -1;
    }
}

QString replyLengthConflict(SensorKind kind, int replyLength)
{
    if (modelByteOffset(replyLength) < 0)
        return QStringLiteral("the reply length must be 24, 25 or 29 bytes, not %1").arg(replyLength);
    if (kind == SensorKind::Kv510 && replyLength == kShortReply)
        return QStringLiteral("kv510 replies with 25 or 29 bytes: with 24 its model byte would sit at "
                              "offset 21, where it reports its lamp threshold");
    if (kind == SensorKind::Kv260 && replyLength == kMediumReply)
        return QStringLiteral("kv260 replies with 24 or 29 bytes: with 25 its model byte would sit at "
                              "offset 23, where it reports its output byte");
    return {};
}

} // namespace SensorKinds
