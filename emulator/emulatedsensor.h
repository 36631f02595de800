#pragma once

#include "deviceconfig.h"

#include <QByteArray>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QtGlobal>

#include <array>

// One wired fuel level sensor: its settings, its calibration, its password and
// the tank it measures. It answers request frames the way the real sensor does;
// timing, faults and the line itself are the business of VirtualLine.
class EmulatedSensor
{
public:
    static constexpr int kTableRows = 20;
    using TableColumn = std::array<quint16, kTableRows>;

    struct Response {
        QByteArray reply;        // empty: the sensor says nothing
        bool restarting = false; // it reboots and hears nothing for a while
    };

    EmulatedSensor(const DeviceConfig &config, quint32 seed);

    // Handles one request frame for this sensor's address; the CRC has been
    // checked by the framing. Frames it does not understand get silence.
    Response handle(const QByteArray &request);

    // The next CNT the sensor measures: the set point moved by the slow drift
    // and by the noise. Every readings reply takes one; so do state dumps never.
    qint32 measure();

    quint8 address() const { return m_address; }
    SensorKind kind() const { return m_kind; }
    quint8 modelByte() const { return m_modelByte; }
    int replyLength() const { return m_replyLength; }
    quint32 serial() const { return m_serial; }
    quint16 firmware() const { return m_firmware; }
    quint8 mode() const { return m_mode; }
    quint8 settings() const { return m_settings; }
    qint32 empty() const { return m_empty; }
    qint32 full() const { return m_full; }
    qint8 temperature() const { return m_temperature; }
    quint8 lamp() const { return m_lamp; }
    quint8 output() const { return m_output; }
    quint32 password() const { return m_password; }
    bool isLocked() const { return m_locked; }
    double noisePercent() const { return m_noisePercent; }
    int horizonCalibrations() const { return m_horizonCalibrations; }
    int resets() const { return m_resets; }
    const TableColumn &tableLevels() const { return m_tableLevels; }
    // Readings (0xF0) and table (0xEF) replies that went out on the line; the
    // line tells the sensor, since only it knows what was dropped.
    int readingsRepliesSent() const { return m_readingsSent; }
    int tableRepliesSent() const { return m_tablesSent; }
    void countSentReply(const QByteArray &reply);
    const TableColumn &tableVolumes() const { return m_tableVolumes; }

    int maxLevel() const;
    // Level for a CNT: its place between the empty and full counts, scaled to
    // the resolution and clamped to it.
    int levelForCnt(qint32 cnt) const;
    // The latest measurement (the set point before the first one).
    qint32 cnt() const { return m_lastCnt; }
    int level() const { return levelForCnt(m_lastCnt); }
    qint32 targetCnt() const { return m_targetCnt; }

    // Fills the tank to the level (clamped to the resolution).
    void setLevel(int level);
    void setCnt(qint32 cnt);
    void setNoise(double percent);
    void setTemperature(qint8 celsius);

    QJsonObject state() const;

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
    quint8 m_mode;
    quint8 m_settings;
    qint32 m_empty;
    qint32 m_full;
    qint8 m_temperature;
    quint8 m_lamp;
    quint8 m_output;
    quint32 m_password;
    bool m_locked;
    double m_noisePercent;
    double m_driftPercent;
    qint32 m_targetCnt = 0;
    qint32 m_lastCnt = 0;
    quint64 m_readings = 0;
    int m_horizonCalibrations = 0;
    int m_resets = 0;
    int m_readingsSent = 0;
    int m_tablesSent = 0;
    TableColumn m_tableLevels{};
    TableColumn m_tableVolumes{};
    QRandomGenerator m_random;
};
