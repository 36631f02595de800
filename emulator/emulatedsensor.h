#pragma once

#include "deviceconfig.h"
#include "emulateddevice.h"
#include "passwordlock.h"
#include "sensortable.h"
#include "tank.h"

#include <QByteArray>
#include <QJsonObject>
#include <QtGlobal>

#include <chrono>

// One wired fuel level sensor: its settings, its calibration, its password and
// the tank it measures. It answers request frames the way the real sensor does.
class EmulatedSensor : public EmulatedDevice
{
public:
    static constexpr int kTableRows = SensorTable::kRows;
    using TableColumn = SensorTable::Column;
    // A reset sensor hears nothing while it reboots.
    static constexpr std::chrono::milliseconds kRestartTime{300};

    EmulatedSensor(const DeviceConfig &config, quint32 seed);

    Response handle(const QByteArray &request) override;

    // The next CNT the sensor measures (see Tank::measure).
    qint32 measure() { return m_tank.measure(); }

    quint8 address() const override { return m_address; }
    QString kindName() const override { return SensorKinds::name(m_kind); }
    Tank &tank() { return m_tank; }
    const Tank &tank() const { return m_tank; }
    Tank *tankAt(quint8) override { return &m_tank; }
    QList<Tank *> tanks() override { return {&m_tank}; }

    SensorKind kind() const { return m_kind; }
    quint8 modelByte() const { return m_modelByte; }
    int replyLength() const { return m_replyLength; }
    quint32 serial() const { return m_serial; }
    quint16 firmware() const { return m_firmware; }
    quint8 mode() const { return m_tank.mode(); }
    quint8 settings() const { return m_settings; }
    qint32 empty() const { return m_tank.empty(); }
    qint32 full() const { return m_tank.full(); }
    qint8 temperature() const { return m_tank.temperature(); }
    quint8 lamp() const { return m_lamp; }
    quint8 output() const { return m_output; }
    quint32 password() const { return m_password.password(); }
    bool isLocked() const { return m_password.isLocked(); }
    double noisePercent() const { return m_tank.noisePercent(); }
    int horizonCalibrations() const { return m_horizonCalibrations; }
    int resets() const { return m_resets; }
    const TableColumn &tableLevels() const { return m_table.levels; }
    const TableColumn &tableVolumes() const { return m_table.volumes; }

    int maxLevel() const { return m_tank.maxLevel(); }
    int levelForCnt(qint32 cnt) const { return m_tank.levelForCnt(cnt); }
    qint32 cnt() const { return m_tank.cnt(); }
    int level() const { return m_tank.level(); }
    qint32 targetCnt() const { return m_tank.targetCnt(); }

    void setLevel(int level) { m_tank.setLevel(level); }
    void setCnt(qint32 cnt) { m_tank.setCnt(cnt); }
    void setNoise(double percent) { m_tank.setNoise(percent); }
    void setTemperature(qint8 celsius) { m_tank.setTemperature(celsius); }

    QJsonObject state() const override;

private:
    QByteArray readingsReply();
    QByteArray identificationReply() const;
    QByteArray tableReply() const;
    Response passwordReply(quint8 command, quint32 password);
    Response change(quint8 command, const QByteArray &data);
    QByteArray echo(quint8 command) const;

    quint8 m_address;
    SensorKind m_kind;
    quint8 m_modelByte;
    int m_replyLength;
    quint32 m_serial;
    quint16 m_firmware;
    quint8 m_settings;
    quint8 m_lamp;
    quint8 m_output;
    PasswordLock m_password;
    Tank m_tank;
    int m_horizonCalibrations = 0;
    int m_resets = 0;
    SensorTable m_table;
};
