#pragma once

#include "baseconfig.h"
#include "tank.h"

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <vector>

// The wireless sensors a base in advertising mode hears, one per slot 0..3,
// and the base's configuration byte for them: bits 0..2 switch slots 1..3
// on, bits 3..6 the additional parameters of slots 0..3. Slot 0 is the
// base's linked sensor and has no switch. Each sensor measures its own tank
// and is reported in an advertising record at its own network address.
class HeardSensors
{
public:
    static constexpr int kRecordLength = 45;
    static constexpr quint8 kLinkSlotZero = 0x1F; // link state in the record of the linked sensor
    static constexpr quint8 kLinkOther = 0x21;    // and in the records of the others
    static constexpr quint8 kConnected = 0x00;    // connection state byte
    static constexpr quint8 kNotConnected = 0xFF;

    struct Sensor {
        QString name;     // "KV_100001"
        quint8 address;
        Tank tank;
        quint8 battery;   // tenths of a volt
        qint8 rssi;       // dB; 0: out of range
        bool connected;   // the base reports its name
    };

    HeardSensors(const BaseConfig &config, quint32 seed);

    bool isEmpty() const { return m_sensors.empty(); }
    int size() const { return int(m_sensors.size()); }
    // The sensors' addresses in slot order.
    QList<quint8> addresses() const;
    // The slot of the sensor at address; -1 when none is there.
    int slotAt(quint8 address) const;
    Sensor *at(quint8 address);
    const Sensor *at(quint8 address) const;
    Sensor &inSlot(int slot) { return m_sensors[size_t(slot)]; }
    const Sensor &inSlot(int slot) const { return m_sensors[size_t(slot)]; }

    quint8 configuration() const { return m_configuration; }
    // A slot switched off loses its connection.
    void setConfiguration(quint8 byte);
    bool isEnabled(int slot) const;
    // The flags byte of a slot's record: slot 0 carries the whole
    // configuration byte, the others the additional-parameter bits and their
    // own switch bit while it is on.
    quint8 flagsOf(int slot) const;

    // The 0xF0 record of the sensor in the slot; it takes a measurement.
    QByteArray record(int slot);
    // The name typed for the sensor at address ("KV_" and the digits); the
    // sensor is connected when it is its name. False when it is not.
    bool connect(quint8 address, const QByteArray &typedName);

    QJsonArray json() const;

private:
    std::vector<Sensor> m_sensors;
    quint8 m_configuration;
    quint8 m_filter;         // the sensors' filter byte
    quint8 m_sensorFirmware; // one byte, shown as three digits
};
