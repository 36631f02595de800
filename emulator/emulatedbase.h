#pragma once

#include "baseconfig.h"
#include "emulateddevice.h"
#include "heardsensors.h"
#include "passwordlock.h"
#include "sensortable.h"
#include "tank.h"

#include <QByteArray>
#include <QJsonObject>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <functional>

// A BLE base station on the line and the wireless fuel level sensor linked
// to it. The base answers its own requests at once (identification, its
// address, its password, its identifier) and relays the rest to the sensor:
// the sensor's readings come back in the base's data reply, and what became
// of a relayed change comes back once, as the command result code of the
// next data reply.
//
// In advertising mode (firmware 223..998) a base that hears wireless sensors
// answers for each of them at the sensor's own address instead: the base's
// identification, the sensor's advertising record, the base's configuration
// byte, the sensor's name and address.
class EmulatedBase : public EmulatedDevice
{
public:
    // Command result codes at offset 36 of the data reply.
    enum Result : quint8 {
        None = 0,                // nothing to report
        IdentifierChanged = 1,   // 0xE4 with an identifier taken
        SensorPasswordOk = 3,    // 0xE8/0xE9: right password, or the sensor is not protected
        ManualCalibration = 4,   // 0xED/0xEC taken
        Rebooted = 5,            // back after 0xE6 or the 0xE4 update order
        FullTaken = 6,           // 0xF5
        EmptyTaken = 7,          // 0xFA
        SensorPasswordWrong = 10, // the sensor is protected and the password was wrong or missing
        IdentifierRefused = 11,  // 0xE4 with bytes that are no identifier
    };

    // Tells whether an address is taken on the line (a heard sensor moves
    // only to a free one).
    using AddressCheck = std::function<bool(quint8 address)>;

    EmulatedBase(const BaseConfig &config, quint32 seed);

    Response handle(const QByteArray &request) override;

    quint8 address() const override { return m_address; }
    QList<quint8> searchAddresses() const override;
    QString kindName() const override { return QLatin1String(BaseConfig::kKindName); }
    // The tank of the linked wireless sensor.
    Tank &tank() { return m_tank; }
    const Tank &tank() const { return m_tank; }
    Tank *tankAt(quint8 address) override;
    QList<Tank *> tanks() override;
    QJsonObject state() const override;

    void setAddressCheck(AddressCheck taken) { m_addressTaken = std::move(taken); }
    HeardSensors &heard() { return m_heard; }
    const HeardSensors &heard() const { return m_heard; }

    quint16 firmware() const { return m_firmware; }
    bool isAdvertising() const;
    quint32 serial() const { return m_serial; }
    quint8 linkState() const { return m_link; }
    quint8 battery() const { return m_battery; }
    qint8 rssi() const { return m_rssi; }
    const std::array<quint8, 6> &mac() const { return m_mac; }
    quint8 sensorFirmware() const { return m_sensorFirmware; }
    quint8 filter() const { return m_filter; }
    int replyLength() const { return m_replyLength; }
    // The base relays to its sensor only while it reports one linked: a link
    // state of 0x1E or 0x21 and a battery above 0.
    bool isSensorLinked() const;
    const PasswordLock &basePassword() const { return m_basePassword; }
    const PasswordLock &sensorPassword() const { return m_sensorPassword; }
    quint32 identifier() const { return m_identifier; }
    quint8 pendingResult() const { return m_pendingResult; }
    int reboots() const { return m_reboots; }
    std::chrono::milliseconds rebootTime() const { return m_rebootTime; }
    int horizonCalibrations() const { return m_horizonCalibrations; }
    const SensorTable &table() const { return m_table; }
    // The MAC field of the data reply: the sensor's, zeros when none is linked.
    std::array<quint8, 6> reportedMac() const;

    void setBattery(quint8 tenths) { m_battery = tenths; }
    void setRssi(qint8 db) { m_rssi = db; }
    void setLinkState(quint8 code) { m_link = code; }

private:
    QByteArray dataReply();
    QByteArray identificationReply(quint8 address) const;
    Response heardRequest(quint8 address, quint8 command, const QByteArray &payload);
    Response takeConfiguration(quint8 address, quint8 byte);
    Response takeName(quint8 address, const QByteArray &name);
    Response passwordReply(quint8 command, quint32 password);
    Response identifierOrUpdate(const QByteArray &data);
    Response relay(quint8 command, const QByteArray &data);
    Response reboot();

    quint8 m_address;
    quint16 m_firmware;
    quint32 m_serial;
    quint8 m_link;
    quint8 m_battery;
    qint8 m_rssi;
    std::array<quint8, 6> m_mac;
    quint8 m_sensorFirmware;
    quint8 m_filter;
    int m_replyLength;
    std::chrono::milliseconds m_rebootTime;
    PasswordLock m_basePassword;
    PasswordLock m_sensorPassword;
    Tank m_tank;
    SensorTable m_table;
    quint32 m_identifier = 0; // 0: none set since start
    quint8 m_pendingResult = None;
    int m_reboots = 0;
    int m_horizonCalibrations = 0;
    HeardSensors m_heard;
    AddressCheck m_addressTaken;
};
