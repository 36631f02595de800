#include "emulatedsensor.h"

#include "framebytes.h"
#include "link/frame.h"
#include "link/protocol.h"

namespace {

namespace Cmd = Protocol::Command;
using FrameBytes::bigEndian;
using FrameBytes::kPasswordSize;
using FrameBytes::kWriteKeySize;

// Readings reply (0xF0): offsets of its fields; numbers least significant byte first.
constexpr int kTemperatureOffset = 3; // i8, degrees Celsius
constexpr int kLevelOffset = 4;       // u16
constexpr int kCntOffset = 6;         // i32, raw measurement count
constexpr int kEmptyOffset = 10;      // i32
constexpr int kFullOffset = 14;       // i32
constexpr int kModeOffset = 20;       // mode byte
constexpr int kLampOffset = 21;       // KV510 lamp threshold, percent
constexpr int kSettingsOffset = 22;   // settings byte
constexpr int kOutputOffset = 23;     // KV260 output byte (29-byte replies)

// Bytes of the request that follow the write key, for each change command.
int changeDataSize(quint8 command)
{
    switch (command) {
    case Cmd::WriteSettings:
        return 2; // mode byte, settings byte
    case Cmd::SetAddress:
    case Cmd::SendSerialNumber:
    case Cmd::SetAlarmLevel:
        return 1;
    case Cmd::SetPassword:
    case Cmd::EnterPassword:
    case Cmd::ManualEmpty:
    case Cmd::ManualFull:
        return 4;
    case Cmd::ShiftEmpty:
    case Cmd::ShiftFull:
        return 2;
    case Cmd::WriteTable:
        return SensorTable::kPayloadSize;
    case Cmd::SetFull:
    case Cmd::SetEmpty:
    case Cmd::CalibrateHorizon:
    case Cmd::Reset:
        return 0;
    default:
        return -1;
    }
}

} // namespace

EmulatedSensor::EmulatedSensor(const DeviceConfig &config, quint32 seed)
    : m_address(config.address),
      m_kind(config.kind),
      m_modelByte(config.modelByte),
      m_replyLength(config.replyLength),
      m_serial(config.serial),
      m_firmware(config.firmware),
      m_settings(config.settings),
      m_lamp(config.lamp),
      m_output(config.output),
      m_password(config.password),
      m_tank(config.empty, config.full, config.mode, config.noisePercent, config.driftPercent,
             config.temperature, config.seed.value_or(seed)),
      m_autoCycle(config.autoCycle),
      m_bootloader(config.kind == SensorKind::Kv260 ? EmulatedBootloader::Protocol::Kv260
                                                     : EmulatedBootloader::Protocol::St)
{
    if (config.cnt)
        m_tank.setCnt(*config.cnt);
    else
        m_tank.setLevel(config.level.value_or((m_tank.maxLevel() + 1) / 2));
}

EmulatedSensor::Response EmulatedSensor::handle(const QByteArray &request)
{
    if (request.size() < Protocol::kMinReplyLength)
        return {};
    const quint8 command = quint8(request.at(Protocol::kCommandOffset));
    const QByteArray payload = FrameBytes::payload(request);
    switch (command) {
    case Cmd::ReadSettings:
        return {readingsReply()};
    case Cmd::ReadIdentification:
        return {identificationReply()};
    case Cmd::ReadTable:
        return {tableReply()};
    default:
        break;
    }

    const int dataSize = changeDataSize(command);
    if (dataSize < 0 || payload.size() != kWriteKeySize + dataSize)
        return {};
    // A frame without the access code is not meant for a sensor: ignore it.
    if (payload.left(kWriteKeySize) != Frame::writeKey())
        return {};
    const QByteArray data = payload.mid(kWriteKeySize);

    if (command == Cmd::SetPassword || command == Cmd::EnterPassword)
        return passwordReply(command, bigEndian(data, 0, kPasswordSize));
    if (command == Cmd::Reset) {
        // It reboots: nothing is said, and the password has to be entered again.
        ++m_resets;
        m_password.lockAgain();
        return {QByteArray(), true, kRestartTime};
    }
    if (command == Cmd::SendSerialNumber && m_kind != SensorKind::Kv260)
        return {};
    if (m_password.isLocked())
        return {Frame::reply(m_address, Cmd::WrongPassword)};
    return change(command, data);
}

EmulatedSensor::Response EmulatedSensor::passwordReply(quint8 command, quint32 password)
{
    const PasswordLock::Answer answer = command == Cmd::EnterPassword ? m_password.enter(password)
                                                                      : m_password.set(password);
    switch (answer) {
    case PasswordLock::Answer::Entered:
        return {Frame::reply(m_address, Cmd::EnterPassword)};
    case PasswordLock::Answer::Set:
        return {Frame::reply(m_address, Cmd::SetPassword)};
    case PasswordLock::Answer::Refused:
        break;
    }
    return {Frame::reply(m_address, Cmd::WrongPassword)};
}

EmulatedSensor::Response EmulatedSensor::change(quint8 command, const QByteArray &data)
{
    switch (command) {
    case Cmd::WriteSettings:
        m_tank.setMode(quint8(data.at(0)));
        m_settings = quint8(data.at(1));
        break;
    case Cmd::SetAddress:
        if (quint8(data.at(0)) == Protocol::kBroadcastAddress)
            return {}; // it could never be polled there
        m_address = quint8(data.at(0));
        break; // the echo already comes from the new address
    case Cmd::SendSerialNumber:
        m_output = quint8(data.at(0));
        break;
    case Cmd::SetFull:
        m_tank.setFull(m_tank.cnt());
        break;
    case Cmd::SetEmpty:
        m_tank.setEmpty(m_tank.cnt());
        break;
    case Cmd::ManualEmpty:
        m_tank.setEmpty(qint32(bigEndian(data, 0, 4)));
        break;
    case Cmd::ManualFull:
        m_tank.setFull(qint32(bigEndian(data, 0, 4)));
        break;
    case Cmd::ShiftEmpty:
        m_tank.setEmpty(Tank::shifted(m_tank.empty(), qint16(bigEndian(data, 0, 2))));
        break;
    case Cmd::ShiftFull:
        m_tank.setFull(Tank::shifted(m_tank.full(), qint16(bigEndian(data, 0, 2))));
        break;
    case Cmd::CalibrateHorizon:
        ++m_horizonCalibrations;
        break;
    case Cmd::SetAlarmLevel:
        m_lamp = quint8(data.at(0));
        break;
    case Cmd::WriteTable:
        m_table.take(data);
        break;
    default:
        return {};
    }
    return {echo(command)};
}

QByteArray EmulatedSensor::echo(quint8 command) const
{
    return Frame::reply(m_address, command);
}

QByteArray EmulatedSensor::readingsReply()
{
    const qint32 cnt = m_tank.measure();
    // The payload runs from offset 3 to the byte before the CRC.
    QByteArray payload(m_replyLength - Protocol::kMinReplyLength, '\0');
    const auto put = [&payload](int frameOffset, quint32 value, int width) {
        FrameBytes::putLittle(payload, frameOffset - Protocol::kPayloadOffset, value, width);
    };
    put(kTemperatureOffset, quint8(m_tank.temperature()), 1);
    put(kLevelOffset, quint32(m_tank.levelForCnt(cnt)), 2);
    put(kCntOffset, quint32(cnt), 4);
    put(kEmptyOffset, quint32(m_tank.empty()), 4);
    put(kFullOffset, quint32(m_tank.full()), 4);
    put(kModeOffset, m_tank.mode(), 1);
    if (m_kind == SensorKind::Kv510)
        put(kLampOffset, m_lamp, 1);
    put(kSettingsOffset, m_settings, 1);
    // A 24-byte reply ends with its CRC at offset 23: no room for the KV260 byte.
    if (m_kind == SensorKind::Kv260 && m_replyLength == SensorKinds::kLongReply)
        put(kOutputOffset, m_output, 1);
    put(SensorKinds::modelByteOffset(m_replyLength), m_modelByte, 1);
    return Frame::reply(m_address, Cmd::ReadSettings, payload);
}

QByteArray EmulatedSensor::identificationReply() const
{
    QByteArray payload(6, '\0');
    FrameBytes::putLittle(payload, 0, m_serial, 4);
    FrameBytes::putLittle(payload, 4, m_firmware, 2);
    return Frame::reply(m_address, Cmd::ReadIdentification, payload);
}

QByteArray EmulatedSensor::tableReply() const
{
    return Frame::reply(m_address, Cmd::ReadTable, m_table.payload());
}

QJsonObject EmulatedSensor::state() const
{
    return QJsonObject{
        {QStringLiteral("address"), int(m_address)},
        {QStringLiteral("kind"), SensorKinds::name(m_kind)},
        {QStringLiteral("model"), int(m_modelByte)},
        {QStringLiteral("len"), m_replyLength},
        {QStringLiteral("serial"), double(m_serial)},
        {QStringLiteral("fw"), int(m_firmware)},
        {QStringLiteral("mode"), int(m_tank.mode())},
        {QStringLiteral("settings"), int(m_settings)},
        {QStringLiteral("empty"), m_tank.empty()},
        {QStringLiteral("full"), m_tank.full()},
        {QStringLiteral("level"), m_tank.level()},
        {QStringLiteral("cnt"), m_tank.cnt()},
        {QStringLiteral("targetCnt"), m_tank.targetCnt()},
        {QStringLiteral("maxLevel"), m_tank.maxLevel()},
        {QStringLiteral("temp"), int(m_tank.temperature())},
        {QStringLiteral("noise"), m_tank.noisePercent()},
        {QStringLiteral("drift"), m_tank.driftPercent()},
        {QStringLiteral("lamp"), int(m_lamp)},
        {QStringLiteral("out"), int(m_output)},
        {QStringLiteral("password"), double(m_password.password())},
        {QStringLiteral("locked"), m_password.isLocked()},
        {QStringLiteral("horizon"), m_horizonCalibrations},
        {QStringLiteral("resets"), m_resets},
        {QStringLiteral("readingsSent"), readingsRepliesSent()},
        {QStringLiteral("tablesSent"), tableRepliesSent()},
        {QStringLiteral("tableLevels"), SensorTable::json(m_table.levels)},
        {QStringLiteral("tableVolumes"), SensorTable::json(m_table.volumes)},
    };
}

void EmulatedSensor::restarted(LineTime at)
{
    advance(at);
    m_cycle.mode = BootMode::Restarting;
    m_cycle.until = at + kRestartTime;
    m_cycle.cycleAt.reset();
    if (m_autoCycle.count() > 0)
        m_cycle.cycleAt = at + m_autoCycle;
}

void EmulatedSensor::powerCycle(LineTime at)
{
    advance(at);
    m_cycle = Cycle{};
    m_cycle.mode = BootMode::Window;
    m_cycle.until = at + kBootWindow;
    m_bootloader.restart();
    ++m_powerCycles;
}

EmulatedSensor::Cycle EmulatedSensor::cycleAt(LineTime at) const
{
    Cycle cycle = m_cycle;
    if (cycle.cycleAt && at >= *cycle.cycleAt) {
        cycle.mode = BootMode::Window;
        cycle.until = *cycle.cycleAt + kBootWindow;
        cycle.cycleAt.reset();
        cycle.quietUntil.reset();
        cycle.powerCycled = true;
    }
    if (cycle.mode == BootMode::Restarting && at >= cycle.until)
        cycle.mode = BootMode::Running;
    if (cycle.mode == BootMode::Window && at >= cycle.until)
        cycle.mode = m_bootloader.hasApplication() ? BootMode::Running : BootMode::Waiting;
    if (cycle.mode == BootMode::Bootloader && cycle.quietUntil && at >= *cycle.quietUntil) {
        cycle.mode = BootMode::Running;
        cycle.quietUntil.reset();
        cycle.quietRanOut = true;
    }
    return cycle;
}

void EmulatedSensor::advance(LineTime at)
{
    Cycle cycle = cycleAt(at);
    if (cycle.powerCycled) {
        m_bootloader.restart();
        ++m_powerCycles;
    }
    if (cycle.quietRanOut)
        m_bootloader.quietElapsed();
    cycle.powerCycled = false;
    cycle.quietRanOut = false;
    m_cycle = cycle;
}

EmulatedSensor::BootMode EmulatedSensor::bootMode(LineTime at) const
{
    return cycleAt(at).mode;
}

EmulatedBootloader::Answer EmulatedSensor::bootByte(quint8 byte, LineTime at)
{
    advance(at);
    switch (m_cycle.mode) {
    case BootMode::Window:
    case BootMode::Waiting: {
        const EmulatedBootloader::Answer answer = m_bootloader.feed(byte);
        if (m_bootloader.isSynced())
            m_cycle.mode = BootMode::Bootloader;
        return answer;
    }
    case BootMode::Bootloader: {
        m_cycle.quietUntil.reset();
        const EmulatedBootloader::Answer answer = m_bootloader.feed(byte);
        if (m_bootloader.isFinished())
            m_cycle.mode = BootMode::Running;
        else if (const auto quiet = m_bootloader.quietLimit())
            m_cycle.quietUntil = at + *quiet;
        return answer;
    }
    case BootMode::Running:
    case BootMode::Restarting:
        break;
    }
    return {};
}

QString EmulatedSensor::bootModeName(BootMode mode)
{
    switch (mode) {
    case BootMode::Running:
        return QStringLiteral("running");
    case BootMode::Restarting:
        return QStringLiteral("restarting");
    case BootMode::Window:
        return QStringLiteral("window");
    case BootMode::Waiting:
        return QStringLiteral("waiting");
    case BootMode::Bootloader:
        return QStringLiteral("bootloader");
    }
    return {};
}

QJsonObject EmulatedSensor::bootState(LineTime at) const
{
    const Cycle cycle = cycleAt(at);
    // A go whose quiet wait ran out since the last byte has started the application.
    const bool application = m_bootloader.hasApplication() || cycle.quietRanOut;
    const auto started = cycle.quietRanOut ? std::optional<quint32>(EmulatedBootloader::kResetVector)
                                           : m_bootloader.startAddress();
    const auto number = [](const std::optional<quint32> &value) {
        return value ? QJsonValue(double(*value)) : QJsonValue();
    };
    return QJsonObject{
        {QStringLiteral("mode"), bootModeName(cycle.mode)},
        {QStringLiteral("application"), application},
        {QStringLiteral("writes"), m_bootloader.writes()},
        {QStringLiteral("lastAddress"), number(m_bootloader.lastAddress())},
        {QStringLiteral("startAddress"), number(started)},
        {QStringLiteral("kv260"), m_bootloader.protocol() == EmulatedBootloader::Protocol::Kv260},
        {QStringLiteral("autocycleMs"), qint64(m_autoCycle.count())},
        {QStringLiteral("powerCycles"), m_powerCycles + (cycle.powerCycled ? 1 : 0)},
    };
}
