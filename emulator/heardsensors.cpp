#include "heardsensors.h"

#include "framebytes.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QJsonObject>

namespace {

// Advertising record (0xF0 at a heard sensor's address): offsets of its
// fields; numbers least significant byte first. Every other byte is 0.
constexpr int kTemperatureOffset = 3;     // i8, degrees Celsius
constexpr int kLevelOffset = 4;           // u16
constexpr int kRawOffset = 6;             // i32, the sensor's CNT
constexpr int kEmptyOffset = 10;          // i32
constexpr int kFullOffset = 14;           // i32
constexpr int kModeOffset = 20;           // bit 7: 0..4095 scale
constexpr int kFilterOffset = 22;         // filter byte
constexpr int kSensorFirmwareOffset = 23; // one byte
constexpr int kLinkOffset = 27;           // 0x1F slot 0, 0x21 the others
constexpr int kRssiOffset = 28;           // i8, dB; 0: out of range
constexpr int kBatteryOffset = 29;        // tenths of a volt
constexpr int kNameOffset = 33;           // six characters after "KV_" while connected
constexpr int kConnectionOffset = 39;     // 0 connected, 0xFF not
constexpr int kFlagsOffset = 40;          // slot switches and additional parameters

constexpr quint8 kAdditionalBits = 0x78;  // bits 3..6: additional parameters of slots 0..3
constexpr quint32 kSlotSeedSpread = 0x85EBCA6Bu; // one noise seed per slot

// Bits 0..2 of the configuration byte switch slots 1..3 on.
quint8 switchBit(int slot)
{
    return quint8(1u << (slot - 1));
}

} // namespace

HeardSensors::HeardSensors(const BaseConfig &config, quint32 seed)
    : m_configuration(config.advertisingConfiguration.value_or(0)),
      m_filter(config.filter),
      m_sensorFirmware(config.sensorFirmware)
{
    for (int slot = 0; slot < config.heard.size(); ++slot) {
        const BaseConfig::HeardSensor &heard = config.heard.at(slot);
        // A level given is reported as it is: that tank holds still.
        const bool fixed = heard.level.has_value();
        Tank tank(config.empty, config.full, config.mode, fixed ? 0.0 : config.noisePercent,
                  fixed ? 0.0 : config.driftPercent, config.temperature,
                  seed ^ (kSlotSeedSpread * quint32(slot + 1)));
        if (fixed)
            tank.setLevel(*heard.level);
        else if (config.cnt)
            tank.setCnt(*config.cnt);
        else
            tank.setLevel(config.level.value_or((tank.maxLevel() + 1) / 2));
        m_sensors.push_back({heard.name, heard.address, tank, heard.battery, heard.rssi, heard.connected});
    }
}

QList<quint8> HeardSensors::addresses() const
{
    QList<quint8> list;
    for (const Sensor &sensor : m_sensors)
        list.append(sensor.address);
    return list;
}

int HeardSensors::slotAt(quint8 address) const
{
    for (int slot = 0; slot < size(); ++slot) {
        if (m_sensors[size_t(slot)].address == address)
            return slot;
    }
    return -1;
}

HeardSensors::Sensor *HeardSensors::at(quint8 address)
{
    const int slot = slotAt(address);
    return slot < 0 ? nullptr : &m_sensors[size_t(slot)];
}

const HeardSensors::Sensor *HeardSensors::at(quint8 address) const
{
    const int slot = slotAt(address);
    return slot < 0 ? nullptr : &m_sensors[size_t(slot)];
}

void HeardSensors::setConfiguration(quint8 byte)
{
    for (int slot = 1; slot < size(); ++slot) {
        const bool wasOn = (m_configuration & switchBit(slot)) != 0;
        if (wasOn && (byte & switchBit(slot)) == 0)
            m_sensors[size_t(slot)].connected = false;
    }
    m_configuration = byte;
}

bool HeardSensors::isEnabled(int slot) const
{
    return slot == 0 || (m_configuration & switchBit(slot)) != 0;
}

quint8 HeardSensors::flagsOf(int slot) const
{
    if (slot == 0)
        return m_configuration;
    return quint8((m_configuration & kAdditionalBits) | (m_configuration & switchBit(slot)));
}

QByteArray HeardSensors::record(int slot)
{
    Sensor &sensor = m_sensors[size_t(slot)];
    // The payload runs from offset 3 to the byte before the CRC.
    QByteArray payload(kRecordLength - Protocol::kMinReplyLength, '\0');
    const auto put = [&payload](int frameOffset, quint32 value, int width) {
        FrameBytes::putLittle(payload, frameOffset - Protocol::kPayloadOffset, value, width);
    };
    const qint32 cnt = sensor.tank.measure();
    put(kTemperatureOffset, quint8(sensor.tank.temperature()), 1);
    put(kLevelOffset, quint32(sensor.tank.levelForCnt(cnt)), 2);
    put(kRawOffset, quint32(cnt), 4);
    put(kEmptyOffset, quint32(sensor.tank.empty()), 4);
    put(kFullOffset, quint32(sensor.tank.full()), 4);
    put(kModeOffset, sensor.tank.mode(), 1);
    put(kFilterOffset, m_filter, 1);
    put(kSensorFirmwareOffset, m_sensorFirmware, 1);
    put(kLinkOffset, slot == 0 ? kLinkSlotZero : kLinkOther, 1);
    put(kRssiOffset, quint8(sensor.rssi), 1);
    put(kBatteryOffset, sensor.battery, 1);
    if (sensor.connected) {
        const QByteArray name = sensor.name.toLatin1().mid(int(qstrlen(BaseConfig::kNamePrefix)));
        payload.replace(kNameOffset - Protocol::kPayloadOffset, int(name.size()), name);
    }
    put(kConnectionOffset, sensor.connected ? kConnected : kNotConnected, 1);
    put(kFlagsOffset, flagsOf(slot), 1);
    return Frame::reply(sensor.address, Protocol::Command::ReadSettings, payload);
}

bool HeardSensors::connect(quint8 address, const QByteArray &typedName)
{
    Sensor *sensor = at(address);
    if (!sensor || typedName != sensor->name.toLatin1())
        return false;
    sensor->connected = true;
    return true;
}

QJsonArray HeardSensors::json() const
{
    QJsonArray list;
    for (int slot = 0; slot < size(); ++slot) {
        const Sensor &sensor = m_sensors[size_t(slot)];
        list.append(QJsonObject{
            {QStringLiteral("slot"), slot},
            {QStringLiteral("name"), sensor.name},
            {QStringLiteral("address"), int(sensor.address)},
            {QStringLiteral("enabled"), isEnabled(slot)},
            {QStringLiteral("connected"), sensor.connected},
            {QStringLiteral("level"), sensor.tank.level()},
            {QStringLiteral("battery"), int(sensor.battery)},
            {QStringLiteral("rssi"), int(sensor.rssi)},
        });
    }
    return list;
}
