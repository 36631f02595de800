#include "emulatedsensor.h"

#include "link/frame.h"
#include "link/protocol.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

namespace Cmd = Protocol::Command;

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

constexpr int kWriteKeySize = 3;  // access code in front of every change
constexpr int kPasswordSize = 4;  // u32, most significant byte first
constexpr int kTableReplyPayload = 2 * 2 * EmulatedSensor::kTableRows; // two columns of u16

// The noise swings CNT alternately above and below the set point by between
// kNoiseFloor and 1 times the noise amplitude, so the mean of any eight
// readings stays close to the set point while each reading stands off it:
// that keeps the tool's stability verdict in one band for a given noise.
constexpr double kNoiseFloor = 0.8; // smallest swing, as a share of the noise
constexpr double kPi = 3.14159265358979323846;
constexpr int kDriftPeriodReadings = 240; // one slow wander in 240 readings (4 min at 1 Hz)

constexpr quint16 kDefaultTableLevelStep = 50;  // levels 0, 50, ..., 950
constexpr quint16 kDefaultTableVolumeStep = 25; // litres 0, 25, ..., 475

void putLittle(QByteArray &frame, int offset, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        frame[offset + i] = char((value >> (8 * i)) & 0xFF);
}

quint32 bigEndian(const QByteArray &data, int offset, int width)
{
    quint32 value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | quint8(data.at(offset + i));
    return value;
}

qint32 clampedCnt(double value)
{
    return qint32(std::clamp(std::round(value), double(std::numeric_limits<qint32>::min()),
                             double(std::numeric_limits<qint32>::max())));
}

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
        return 2 * 2 * EmulatedSensor::kTableRows;
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
      m_mode(config.mode),
      m_settings(config.settings),
      m_empty(config.empty),
      m_full(config.full),
      m_temperature(config.temperature),
      m_lamp(config.lamp),
      m_output(config.output),
      m_password(config.password),
      m_locked(config.password != 0),
      m_noisePercent(config.noisePercent),
      m_driftPercent(config.driftPercent),
      m_random(config.seed.value_or(seed))
{
    for (int row = 0; row < kTableRows; ++row) {
        m_tableLevels[size_t(row)] = quint16(row * kDefaultTableLevelStep);
        m_tableVolumes[size_t(row)] = quint16(row * kDefaultTableVolumeStep);
    }
    if (config.cnt)
        setCnt(*config.cnt);
    else
        setLevel(config.level.value_or((maxLevel() + 1) / 2));
}

int EmulatedSensor::maxLevel() const
{
    return DeviceConfig::maxLevelForMode(m_mode);
}

int EmulatedSensor::levelForCnt(qint32 cnt) const
{
    const double span = double(m_full) - double(m_empty);
    if (span == 0.0)
        return 0;
    const double level = std::round((double(cnt) - double(m_empty)) * maxLevel() / span);
    return int(std::clamp(level, 0.0, double(maxLevel())));
}

void EmulatedSensor::setLevel(int level)
{
    level = std::clamp(level, 0, maxLevel());
    const double span = double(m_full) - double(m_empty);
    setCnt(clampedCnt(double(m_empty) + span * level / maxLevel()));
}

void EmulatedSensor::setCnt(qint32 cnt)
{
    m_targetCnt = cnt;
    m_lastCnt = cnt;
}

void EmulatedSensor::setNoise(double percent)
{
    m_noisePercent = std::clamp(percent, 0.0, 100.0);
}

void EmulatedSensor::setTemperature(qint8 celsius)
{
    m_temperature = celsius;
}

qint32 EmulatedSensor::measure()
{
    const double drift = m_driftPercent / 100.0
                         * std::sin(2.0 * kPi * double(m_readings % kDriftPeriodReadings)
                                    / kDriftPeriodReadings);
    const double swing = kNoiseFloor + (1.0 - kNoiseFloor) * m_random.generateDouble();
    const double sign = (m_readings % 2 == 0) ? 1.0 : -1.0;
    const double noise = sign * swing * m_noisePercent / 100.0;
    ++m_readings;
    m_lastCnt = clampedCnt(double(m_targetCnt) * (1.0 + drift + noise));
    return m_lastCnt;
}

EmulatedSensor::Response EmulatedSensor::handle(const QByteArray &request)
{
    if (request.size() < Protocol::kMinReplyLength)
        return {};
    const quint8 command = quint8(request.at(Protocol::kCommandOffset));
    const QByteArray payload = request.mid(Protocol::kPayloadOffset,
                                           int(request.size()) - Protocol::kPayloadOffset - 1);
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
        m_locked = m_password != 0;
        return {QByteArray(), true};
    }
    if (command == Cmd::SendSerialNumber && m_kind != SensorKind::Kv260)
        return {};
    if (m_locked)
        return {Frame::reply(m_address, Cmd::WrongPassword)};
    return change(command, data);
}

EmulatedSensor::Response EmulatedSensor::passwordReply(quint8 command, quint32 password)
{
    const auto answer = [this](quint8 code) { return Response{Frame::reply(m_address, code)}; };
    if (command == Cmd::EnterPassword) {
        if (m_password == 0)
            return answer(Cmd::EnterPassword); // nothing to unlock
        m_locked = password != m_password;
        return answer(m_locked ? Cmd::WrongPassword : Cmd::EnterPassword);
    }

    // 0xF7 sets a password, removes it (zeros, once unlocked) and doubles as
    // the tool's probe: "not protected" is 0xF7, "right password" 0xF8,
    // "protected" 0xFD.
    if (m_password == 0) {
        if (password != 0) {
            m_password = password;
            m_locked = true;
        }
        return answer(Cmd::SetPassword);
    }
    if (m_locked) {
        if (password != m_password)
            return answer(Cmd::WrongPassword);
        m_locked = false;
        return answer(Cmd::EnterPassword);
    }
    if (password == m_password)
        return answer(Cmd::EnterPassword);
    m_password = password;
    m_locked = password != 0;
    return answer(Cmd::SetPassword);
}

EmulatedSensor::Response EmulatedSensor::change(quint8 command, const QByteArray &data)
{
    switch (command) {
    case Cmd::WriteSettings:
        m_mode = quint8(data.at(0));
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
        m_full = m_lastCnt;
        break;
    case Cmd::SetEmpty:
        m_empty = m_lastCnt;
        break;
    case Cmd::ManualEmpty:
        m_empty = qint32(bigEndian(data, 0, 4));
        break;
    case Cmd::ManualFull:
        m_full = qint32(bigEndian(data, 0, 4));
        break;
    case Cmd::ShiftEmpty:
        m_empty = clampedCnt(double(m_empty) + qint16(bigEndian(data, 0, 2)));
        break;
    case Cmd::ShiftFull:
        m_full = clampedCnt(double(m_full) + qint16(bigEndian(data, 0, 2)));
        break;
    case Cmd::CalibrateHorizon:
        ++m_horizonCalibrations;
        break;
    case Cmd::SetAlarmLevel:
        m_lamp = quint8(data.at(0));
        break;
    case Cmd::WriteTable:
        for (int row = 0; row < kTableRows; ++row) {
            m_tableLevels[size_t(row)] = quint16(bigEndian(data, 2 * row, 2));
            m_tableVolumes[size_t(row)] = quint16(bigEndian(data, 2 * (kTableRows + row), 2));
        }
        break;
    default:
        return {};
    }
    return {echo(command)};
}

void EmulatedSensor::countSentReply(const QByteArray &reply)
{
    if (reply.size() <= Protocol::kCommandOffset)
        return;
    const quint8 command = quint8(reply.at(Protocol::kCommandOffset));
    if (command == Cmd::ReadSettings)
        ++m_readingsSent;
    else if (command == Cmd::ReadTable)
        ++m_tablesSent;
}

QByteArray EmulatedSensor::echo(quint8 command) const
{
    return Frame::reply(m_address, command);
}

QByteArray EmulatedSensor::readingsReply()
{
    const qint32 cnt = measure();
    // The payload runs from offset 3 to the byte before the CRC.
    QByteArray payload(m_replyLength - Protocol::kMinReplyLength, '\0');
    const auto put = [&payload](int frameOffset, quint32 value, int width) {
        putLittle(payload, frameOffset - Protocol::kPayloadOffset, value, width);
    };
    put(kTemperatureOffset, quint8(m_temperature), 1);
    put(kLevelOffset, quint32(levelForCnt(cnt)), 2);
    put(kCntOffset, quint32(cnt), 4);
    put(kEmptyOffset, quint32(m_empty), 4);
    put(kFullOffset, quint32(m_full), 4);
    put(kModeOffset, m_mode, 1);
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
    putLittle(payload, 0, m_serial, 4);
    putLittle(payload, 4, m_firmware, 2);
    return Frame::reply(m_address, Cmd::ReadIdentification, payload);
}

QByteArray EmulatedSensor::tableReply() const
{
    QByteArray payload;
    payload.reserve(kTableReplyPayload);
    for (const quint16 value : m_tableLevels)
        payload += Frame::bigEndian16(value);
    for (const quint16 value : m_tableVolumes)
        payload += Frame::bigEndian16(value);
    return Frame::reply(m_address, Cmd::ReadTable, payload);
}

QJsonObject EmulatedSensor::state() const
{
    QJsonArray levels;
    QJsonArray volumes;
    for (const quint16 value : m_tableLevels)
        levels.append(int(value));
    for (const quint16 value : m_tableVolumes)
        volumes.append(int(value));
    return QJsonObject{
        {QStringLiteral("address"), int(m_address)},
        {QStringLiteral("kind"), SensorKinds::name(m_kind)},
        {QStringLiteral("model"), int(m_modelByte)},
        {QStringLiteral("len"), m_replyLength},
        {QStringLiteral("serial"), double(m_serial)},
        {QStringLiteral("fw"), int(m_firmware)},
        {QStringLiteral("mode"), int(m_mode)},
        {QStringLiteral("settings"), int(m_settings)},
        {QStringLiteral("empty"), m_empty},
        {QStringLiteral("full"), m_full},
        {QStringLiteral("level"), level()},
        {QStringLiteral("cnt"), m_lastCnt},
        {QStringLiteral("targetCnt"), m_targetCnt},
        {QStringLiteral("maxLevel"), maxLevel()},
        {QStringLiteral("temp"), int(m_temperature)},
        {QStringLiteral("noise"), m_noisePercent},
        {QStringLiteral("drift"), m_driftPercent},
        {QStringLiteral("lamp"), int(m_lamp)},
        {QStringLiteral("out"), int(m_output)},
        {QStringLiteral("password"), double(m_password)},
        {QStringLiteral("locked"), m_locked},
        {QStringLiteral("horizon"), m_horizonCalibrations},
        {QStringLiteral("resets"), m_resets},
        {QStringLiteral("readingsSent"), m_readingsSent},
        {QStringLiteral("tablesSent"), m_tablesSent},
        {QStringLiteral("tableLevels"), levels},
        {QStringLiteral("tableVolumes"), volumes},
    };
}
