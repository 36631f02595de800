#pragma once

#include "bootloader.h"
#include "deviceconfig.h"
#include "emulateddevice.h"
#include "passwordlock.h"
#include "sensortable.h"
#include "tank.h"

#include <QByteArray>
#include <QJsonObject>
#include <QtGlobal>

#include <chrono>
#include <optional>

// One wired fuel level sensor: its settings, its calibration, its password and
// the tank it measures. It answers request frames the way the real sensor does.
//
// Its life cycle, on the line's clock: running (answering frames); after the
// reset 0x88 restarting, deaf for kRestartTime; after a power cycle in its
// boot window, where the ROM bootloader takes a knock 0x7F and ignores every
// other byte. A window that closes without a knock runs the application, or,
// when an update erased it and did not finish, leaves the sensor waiting for
// a knock for good. A finished update (go, KV260 completion) runs the
// application again with the same address and settings.
class EmulatedSensor : public EmulatedDevice
{
public:
    static constexpr int kTableRows = SensorTable::kRows;
    using TableColumn = SensorTable::Column;
    // A reset sensor hears nothing while it reboots.
    static constexpr std::chrono::milliseconds kRestartTime{300};
    // After power-on the ROM bootloader takes a knock for this long.
    static constexpr std::chrono::milliseconds kBootWindow{1000};

    enum class BootMode {
        Running,    // the application answers frames
        Restarting, // rebooting after 0x88
        Window,     // just powered on: a knock enters the bootloader
        Waiting,    // no application to run: only a knock is heard
        Bootloader, // talking to the tool
    };
    using LineTime = std::chrono::nanoseconds; // the line's clock

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

    // The reset (0x88) taken at `at`; with autoCycle() set the sensor
    // power-cycles itself that long after it.
    void restarted(LineTime at);
    void powerCycle(LineTime at);
    BootMode bootMode(LineTime at) const;
    static QString bootModeName(BootMode mode);
    bool hearsFrames(LineTime at) const { return bootMode(at) == BootMode::Running; }
    // A byte off the line while the ROM listens (window, waiting, bootloader);
    // what to answer and after how much work.
    EmulatedBootloader::Answer bootByte(quint8 byte, LineTime at);
    std::chrono::milliseconds autoCycle() const { return m_autoCycle; }
    int powerCycles() const { return m_powerCycles; }
    const EmulatedBootloader &bootloader() const { return m_bootloader; }
    // The sensor's memory, as the bootloader wrote it (see EmulatedBootloader::memory).
    QByteArray memory(quint32 start, int length) const { return m_bootloader.memory(start, length); }
    // {"mode", "application", "writes", "lastAddress", "startAddress", "kv260",
    // "autocycleMs", "powerCycles"} as they stand at `at`.
    QJsonObject bootState(LineTime at) const;

private:
    // Where the life cycle stands; bootMode() works out what time has done to it since.
    struct Cycle {
        BootMode mode = BootMode::Running;
        LineTime until{0};                  // Restarting: rebooted; Window: closes
        std::optional<LineTime> cycleAt;    // the power cycle autoCycle asked for
        std::optional<LineTime> quietUntil; // go without address: the application starts
        bool powerCycled = false;           // cycleAt was reached
        bool quietRanOut = false;           // quietUntil was reached
    };
    Cycle cycleAt(LineTime at) const;
    void advance(LineTime at);

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
    std::chrono::milliseconds m_autoCycle;
    EmulatedBootloader m_bootloader;
    Cycle m_cycle;
    int m_powerCycles = 0;
};
