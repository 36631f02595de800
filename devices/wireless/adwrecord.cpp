#include "adwrecord.h"

#include "link/protocol.h"

#include <algorithm>
#include <cstring>

namespace {

// Offsets of the record's fields.
constexpr int kTemperature = 3;  // i8
constexpr int kLevel = 4;        // u16
constexpr int kRaw = 6;          // i32
constexpr int kEmpty = 10;       // i32
constexpr int kFull = 14;        // i32
constexpr int kFurther = 18;     // u16
constexpr int kMode = 20;
constexpr int kByte21 = 21;
constexpr int kFilter = 22;
constexpr int kFirmware = 23;
constexpr int kLink = 27;
constexpr int kRssi = 28;        // i8
constexpr int kBattery = 29;
constexpr int kName = 33;        // six characters
constexpr int kConnection = 39;
constexpr int kFlags = 40;
constexpr int kByte41 = 41;

constexpr int kMaxAddress = 254; // 0 ends an address list, 255 is the broadcast

quint8 u8(const QByteArray &f, int at) { return quint8(f.at(at)); }
quint16 u16(const QByteArray &f, int at) { return quint16(u8(f, at) | (u8(f, at + 1) << 8)); }
qint32 i32(const QByteArray &f, int at)
{
    return qint32(quint32(u8(f, at)) | (quint32(u8(f, at + 1)) << 8) | (quint32(u8(f, at + 2)) << 16)
                  | (quint32(u8(f, at + 3)) << 24));
}

} // namespace

QString AdwRecord::nameText() const
{
    const auto end = std::find(name.begin(), name.end(), '\0');
    return QString::fromLocal8Bit(name.data(), int(end - name.begin()));
}

namespace AdwRules {

std::optional<AdwRecord> decode(const QByteArray &f)
{
    if (f.size() < kMinRecordLength || u8(f, 0) != Protocol::kReplyPrefix
        || u8(f, Protocol::kCommandOffset) != Protocol::Command::ReadSettings)
        return std::nullopt;
    AdwRecord r;
    r.address = u8(f, Protocol::kAddressOffset);
    r.temperature = qint8(u8(f, kTemperature));
    r.level = u16(f, kLevel);
    r.raw = i32(f, kRaw);
    r.empty = i32(f, kEmpty);
    r.full = i32(f, kFull);
    r.furtherValue = u16(f, kFurther);
    r.modeByte = u8(f, kMode);
    r.byte21 = u8(f, kByte21);
    r.filterByte = u8(f, kFilter);
    r.sensorFirmware = u8(f, kFirmware);
    r.linkState = u8(f, kLink);
    r.rssi = qint8(u8(f, kRssi));
    r.battery = u8(f, kBattery);
    std::memcpy(r.name.data(), f.constData() + kName, AdwRecord::kNameSize);
    r.connectionState = u8(f, kConnection);
    r.flags = u8(f, kFlags);
    r.byte41 = u8(f, kByte41);
    return r;
}

AdwRecord emptiedIfLost(const AdwRecord &record)
{
    if (!record.isSignalLost())
        return record;
    AdwRecord r;
    r.address = record.address;
    r.name = record.name;
    r.furtherValue = record.furtherValue;
    r.byte21 = record.byte21;
    r.byte41 = record.byte41;
    r.connectionState = AdwRecord::kNotConnected;
    return r;
}

QVector<int> slotsOf(const AdwRecord &record)
{
    if (record.isLinkedSensor())
        return {0};
    QVector<int> filled;
    for (int slot = 1; slot < kSlots; ++slot) {
        if (record.flags & (1u << (slot - 1)))
            filled << slot;
    }
    return filled;
}

bool dopBit(quint8 flags, int slot)
{
    return slot >= 0 && slot < kSlots && (flags & (1u << (kFirstDopBit + slot)));
}

quint8 switchedFlags(quint8 flags, int slot, bool enableDevice, bool enableDop)
{
    if (slot < 0 || slot >= kSlots)
        return flags;
    const auto set = [&flags](int bit, bool on) {
        flags = on ? quint8(flags | (1u << bit)) : quint8(flags & ~(1u << bit));
    };
    set(kFirstDopBit + slot, enableDop);
    if (slot > 0)
        set(slot - 1, enableDevice);
    return flags;
}

QString addressEditText(int address, bool dop)
{
    return dop ? QStringLiteral("%1,%2").arg(address).arg(address + 1) : QString::number(address);
}

std::optional<quint8> addressFromEdit(const QString &text)
{
    bool ok = false;
    const int address = text.section(QLatin1Char(','), 0, 0).trimmed().toInt(&ok);
    if (!ok || address < 1 || address > kMaxAddress)
        return std::nullopt;
    return quint8(address);
}

bool hasNeighbouringAddresses(QVector<int> addresses)
{
    std::sort(addresses.begin(), addresses.end());
    for (int i = 1; i < addresses.size(); ++i) {
        if (addresses[i - 1] != 0 && addresses[i] != 0 && addresses[i] - addresses[i - 1] == 1)
            return true;
    }
    return false;
}

std::array<char, AdwRecord::kNameSize> nameForConnect(const QString &text)
{
    std::array<char, AdwRecord::kNameSize> name{};
    const QByteArray bytes = text.toLocal8Bit().left(AdwRecord::kNameSize);
    std::memcpy(name.data(), bytes.constData(), size_t(bytes.size()));
    return name;
}

std::optional<QByteArray> namePayload(const QString &digits)
{
    if (digits.isEmpty() || digits.size() > kMaxNameDigits)
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return QByteArray(kNamePrefix) + digits.toUtf8();
}

} // namespace AdwRules
