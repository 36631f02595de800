#include "emulatedbase.h"

#include "framebytes.h"
#include "link/frame.h"
#include "link/protocol.h"

namespace {

namespace Cmd = Protocol::Command;
using FrameBytes::bigEndian;
using FrameBytes::kPasswordSize;
using FrameBytes::kWriteKeySize;

// Data reply (0xF0): offsets of its fields; numbers least significant byte first.
constexpr int kTemperatureOffset = 3;    // i8, degrees Celsius
constexpr int kLevelOffset = 4;          // u16
constexpr int kRawOffset = 6;            // i32, the sensor's CNT
constexpr int kEmptyOffset = 10;         // i32
constexpr int kFullOffset = 14;          // i32
constexpr int kModeOffset = 20;          // sensor mode byte
constexpr int kFilterOffset = 22;        // sensor filter byte
constexpr int kSensorFirmwareOffset = 23; // one byte, shown as three digits
constexpr int kLinkOffset = 27;          // link state code
constexpr int kRssiOffset = 28;          // i8, dB
constexpr int kBatteryOffset = 29;       // tenths of a volt
constexpr int kMacOffset = 30;           // six bytes, least significant first
constexpr int kResultOffset = 36;        // command result code

constexpr int kIdentificationPayload = 6; // serial u32, base firmware u16
constexpr int kIdentifierSize = 6;        // three bytes of the number, then the tail
constexpr std::array<quint8, 3> kIdentifierTail = {0xDD, 0xEE, 0xFF};

constexpr int kConfigurationSize = 1;   // 0xEC of an advertising base: its configuration byte
constexpr int kMaxNameDigits = 16;      // 0xEA: "KV_" and up to 16 digits

// Bytes of the request that follow the write key, for each change command.
int changeDataSize(quint8 command)
{
    switch (command) {
    case Cmd::WriteSettings:
        return 2; // mode byte, filter byte
    case Cmd::SetAddress:
        return 1;
    case Cmd::SetPassword:
    case Cmd::EnterPassword:
    case Cmd::SetPasswordBle:
    case Cmd::EnterPasswordBle:
    case Cmd::ManualEmpty:
    case Cmd::ManualFull:
        return kPasswordSize;
    case Cmd::SetBaseIdentifier:
        return kIdentifierSize;
    case Cmd::WriteTable:
        return SensorTable::kPayloadSize;
    case Cmd::SetFull:
    case Cmd::SetEmpty:
    case Cmd::CalibrateHorizon:
    case Cmd::RestartBleForUpdate:
        return 0;
    default:
        return -1;
    }
}

} // namespace

EmulatedBase::EmulatedBase(const BaseConfig &config, quint32 seed)
    : m_address(config.address),
      m_firmware(config.firmware),
      m_serial(config.serial),
      m_link(config.link),
      m_battery(config.battery),
      m_rssi(config.rssi),
      m_mac(config.mac),
      m_sensorFirmware(config.sensorFirmware),
      m_filter(config.filter),
      m_replyLength(config.replyLength),
      m_rebootTime(config.rebootTime),
      m_basePassword(config.basePassword),
      m_sensorPassword(config.sensorPassword),
      m_tank(config.empty, config.full, config.mode, config.noisePercent, config.driftPercent,
             config.temperature, config.seed.value_or(seed)),
      m_heard(config, config.seed.value_or(seed))
{
    if (config.cnt)
        m_tank.setCnt(*config.cnt);
    else
        m_tank.setLevel(config.level.value_or((m_tank.maxLevel() + 1) / 2));
}

bool EmulatedBase::isAdvertising() const
{
    return BaseConfig::isAdvertisingFirmware(m_firmware);
}

QList<quint8> EmulatedBase::searchAddresses() const
{
    return m_heard.isEmpty() ? QList<quint8>{m_address} : m_heard.addresses();
}

Tank *EmulatedBase::tankAt(quint8 address)
{
    HeardSensors::Sensor *sensor = m_heard.at(address);
    return sensor ? &sensor->tank : &m_tank;
}

QList<Tank *> EmulatedBase::tanks()
{
    QList<Tank *> list{&m_tank};
    for (int slot = 0; slot < m_heard.size(); ++slot)
        list.append(&m_heard.inSlot(slot).tank);
    return list;
}

bool EmulatedBase::isSensorLinked() const
{
    return m_battery != 0
           && (m_link == BaseConfig::kLinkBaseReady || m_link == BaseConfig::kLinkSensorLinked);
}

std::array<quint8, 6> EmulatedBase::reportedMac() const
{
    return isSensorLinked() ? m_mac : std::array<quint8, 6>{};
}

EmulatedBase::Response EmulatedBase::handle(const QByteArray &request)
{
    if (request.size() < Protocol::kMinReplyLength)
        return {};
    const quint8 address = quint8(request.at(Protocol::kAddressOffset));
    const quint8 command = quint8(request.at(Protocol::kCommandOffset));
    const QByteArray payload = FrameBytes::payload(request);
    // A base that hears sensors answers only for them.
    if (!m_heard.isEmpty())
        return heardRequest(address, command, payload);
    if (payload.isEmpty()) {
        switch (command) {
        case Cmd::ReadSettings:
            return {dataReply()};
        case Cmd::ReadIdentification:
            return {identificationReply(m_address)};
        case Cmd::ReadTable:
            // The table lives in the sensor: without one there is nothing to read.
            if (!isSensorLinked())
                return {};
            return {Frame::reply(m_address, Cmd::ReadTable, m_table.payload())};
        default:
            return {};
        }
    }

    // A frame without the access code is not meant for the base: ignore it.
    if (payload.left(kWriteKeySize) != Frame::writeKey())
        return {};
    const QByteArray data = payload.mid(kWriteKeySize);
    // An advertising base hearing nobody yet still takes its configuration
    // and a name; the 11-byte 0xEC stays the sensor's full count.
    if (isAdvertising() && command == Cmd::ManualFull && data.size() == kConfigurationSize)
        return takeConfiguration(address, quint8(data.at(0)));
    if (isAdvertising() && command == Cmd::SetBleName)
        return takeName(address, data);

    const int dataSize = changeDataSize(command);
    if (dataSize < 0 || data.size() != dataSize)
        return {};

    if (command == Cmd::SetPassword || command == Cmd::EnterPassword)
        return passwordReply(command, bigEndian(data, 0, kPasswordSize));
    // A locked base takes no change, its own or its sensor's; the sensor's
    // password entry is no change and goes through.
    if (m_basePassword.isLocked() && command != Cmd::EnterPasswordBle)
        return {Frame::reply(m_address, Cmd::WrongPassword)};
    switch (command) {
    case Cmd::SetAddress:
        if (quint8(data.at(0)) == Protocol::kBroadcastAddress)
            return {}; // it could never be polled there
        m_address = quint8(data.at(0));
        return {Frame::reply(m_address, Cmd::SetAddress)}; // already from the new address
    case Cmd::SetBaseIdentifier:
        return identifierOrUpdate(data);
    default:
        return relay(command, data);
    }
}

EmulatedBase::Response EmulatedBase::heardRequest(quint8 address, quint8 command, const QByteArray &payload)
{
    const int slot = m_heard.slotAt(address);
    if (slot < 0)
        return {};
    if (payload.isEmpty()) {
        if (command == Cmd::ReadSettings)
            return {m_heard.record(slot)};
        if (command == Cmd::ReadIdentification)
            return {identificationReply(address)};
        return {};
    }
    if (payload.left(kWriteKeySize) != Frame::writeKey())
        return {};
    const QByteArray data = payload.mid(kWriteKeySize);
    switch (command) {
    case Cmd::ManualFull:
        if (data.size() != kConfigurationSize)
            return {};
        return takeConfiguration(address, quint8(data.at(0)));
    case Cmd::SetBleName:
        return takeName(address, data);
    case Cmd::SetAddress: {
        // The sensor moves without a word; never to where it could not be
        // polled, nor onto another device.
        if (data.size() != 1)
            return {};
        const quint8 to = quint8(data.at(0));
        const bool taken = m_addressTaken ? m_addressTaken(to) : answers(to);
        if (to != 0 && to != Protocol::kBroadcastAddress && !taken)
            m_heard.inSlot(slot).address = to;
        return {};
    }
    default:
        return {};
    }
}

EmulatedBase::Response EmulatedBase::takeConfiguration(quint8 address, quint8 byte)
{
    m_heard.setConfiguration(byte);
    return {Frame::reply(address, Cmd::ManualFull)};
}

EmulatedBase::Response EmulatedBase::takeName(quint8 address, const QByteArray &name)
{
    // "KV_" and 1..16 characters; the base takes any name, and connects the
    // sensor at that address when it is its own.
    const int prefix = int(qstrlen(BaseConfig::kNamePrefix));
    if (!name.startsWith(BaseConfig::kNamePrefix) || name.size() <= prefix
        || name.size() > prefix + kMaxNameDigits)
        return {};
    m_heard.connect(address, name);
    return {Frame::reply(address, Cmd::BleNameAccepted)};
}

EmulatedBase::Response EmulatedBase::passwordReply(quint8 command, quint32 password)
{
    const PasswordLock::Answer answer = command == Cmd::EnterPassword ? m_basePassword.enter(password)
                                                                      : m_basePassword.set(password);
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

EmulatedBase::Response EmulatedBase::identifierOrUpdate(const QByteArray &data)
{
    // The MAC the base reports, sent back in the same order, orders it into
    // its update mode: it reboots and comes back for the phone application.
    const std::array<quint8, 6> mac = reportedMac();
    if (data == QByteArray(reinterpret_cast<const char *>(mac.data()), int(mac.size())))
        return reboot();
    bool identifier = true;
    for (size_t i = 0; i < kIdentifierTail.size(); ++i)
        identifier = identifier && quint8(data.at(int(3 + i))) == kIdentifierTail[i];
    const quint32 number = quint32(quint8(data.at(0))) | quint32(quint8(data.at(1))) << 8
                           | quint32(quint8(data.at(2))) << 16;
    if (identifier && number != 0) {
        m_identifier = number;
        m_pendingResult = IdentifierChanged;
    } else {
        m_pendingResult = IdentifierRefused;
    }
    return {};
}

EmulatedBase::Response EmulatedBase::relay(quint8 command, const QByteArray &data)
{
    // Nobody to relay to: the request goes nowhere, and nothing is reported.
    if (!isSensorLinked())
        return {};
    if (command == Cmd::EnterPasswordBle || command == Cmd::SetPasswordBle) {
        const quint32 password = bigEndian(data, 0, kPasswordSize);
        const PasswordLock::Answer answer = command == Cmd::EnterPasswordBle
                                                ? m_sensorPassword.enter(password)
                                                : m_sensorPassword.set(password);
        m_pendingResult = answer == PasswordLock::Answer::Refused ? SensorPasswordWrong
                                                                   : SensorPasswordOk;
        return {};
    }
    // A protected sensor takes no change until its password is entered.
    if (m_sensorPassword.isLocked()) {
        m_pendingResult = SensorPasswordWrong;
        return {};
    }
    switch (command) {
    case Cmd::WriteSettings: {
        m_tank.setMode(quint8(data.at(0)));
        m_filter = quint8(data.at(1));
        QByteArray echo;
        echo.append(char(m_tank.mode()));
        echo.append(char(m_filter));
        return {Frame::reply(m_address, Cmd::WriteSettings, echo)};
    }
    case Cmd::SetFull:
        m_tank.setFull(m_tank.cnt());
        m_pendingResult = FullTaken;
        return {};
    case Cmd::SetEmpty:
        m_tank.setEmpty(m_tank.cnt());
        m_pendingResult = EmptyTaken;
        return {};
    case Cmd::ManualEmpty:
        m_tank.setEmpty(qint32(bigEndian(data, 0, 4)));
        m_pendingResult = ManualCalibration;
        return {};
    case Cmd::ManualFull:
        m_tank.setFull(qint32(bigEndian(data, 0, 4)));
        m_pendingResult = ManualCalibration;
        return {};
    case Cmd::CalibrateHorizon:
        ++m_horizonCalibrations;
        return {Frame::reply(m_address, Cmd::CalibrateHorizon)};
    case Cmd::WriteTable:
        m_table.take(data);
        return {Frame::reply(m_address, Cmd::WriteTable)};
    case Cmd::RestartBleForUpdate:
        return reboot();
    default:
        return {};
    }
}

EmulatedBase::Response EmulatedBase::reboot()
{
    // Both forget the passwords entered; the first data reply afterwards
    // tells the tool the restart went well.
    ++m_reboots;
    m_basePassword.lockAgain();
    m_sensorPassword.lockAgain();
    m_pendingResult = Rebooted;
    return {QByteArray(), true, m_rebootTime};
}

QByteArray EmulatedBase::dataReply()
{
    // The payload runs from offset 3 to the byte before the CRC.
    QByteArray payload(m_replyLength - Protocol::kMinReplyLength, '\0');
    const auto put = [&payload](int frameOffset, quint32 value, int width) {
        FrameBytes::putLittle(payload, frameOffset - Protocol::kPayloadOffset, value, width);
    };
    // Without a linked sensor every sensor field stays 0; a battery of 0 is
    // how the tool tells.
    if (isSensorLinked()) {
        const qint32 cnt = m_tank.measure();
        put(kTemperatureOffset, quint8(m_tank.temperature()), 1);
        put(kLevelOffset, quint32(m_tank.levelForCnt(cnt)), 2);
        put(kRawOffset, quint32(cnt), 4);
        put(kEmptyOffset, quint32(m_tank.empty()), 4);
        put(kFullOffset, quint32(m_tank.full()), 4);
        put(kModeOffset, m_tank.mode(), 1);
        put(kFilterOffset, m_filter, 1);
        put(kSensorFirmwareOffset, m_sensorFirmware, 1);
        put(kRssiOffset, quint8(m_rssi), 1);
        put(kBatteryOffset, m_battery, 1);
        for (int i = 0; i < int(m_mac.size()); ++i)
            put(kMacOffset + i, m_mac[size_t(i)], 1);
    }
    put(kLinkOffset, m_link, 1);
    // A result is told once, then the code is back to 0.
    put(kResultOffset, m_pendingResult, 1);
    m_pendingResult = None;
    return Frame::reply(m_address, Cmd::ReadSettings, payload);
}

QByteArray EmulatedBase::identificationReply(quint8 address) const
{
    QByteArray payload(kIdentificationPayload, '\0');
    FrameBytes::putLittle(payload, 0, m_serial, 4);
    FrameBytes::putLittle(payload, 4, m_firmware, 2);
    return Frame::reply(address, Cmd::ReadIdentification, payload);
}

QJsonObject EmulatedBase::state() const
{
    QJsonObject state{
        {QStringLiteral("address"), int(m_address)},
        {QStringLiteral("kind"), kindName()},
        {QStringLiteral("len"), m_replyLength},
        {QStringLiteral("serial"), double(m_serial)},
        {QStringLiteral("fw"), int(m_firmware)},
        {QStringLiteral("advertising"), isAdvertising()},
        {QStringLiteral("link"), int(m_link)},
        {QStringLiteral("linked"), isSensorLinked()},
        {QStringLiteral("battery"), int(m_battery)},
        {QStringLiteral("rssi"), int(m_rssi)},
        {QStringLiteral("mac"), BaseConfig::macText(m_mac)},
        {QStringLiteral("sensorFw"), int(m_sensorFirmware)},
        {QStringLiteral("mode"), int(m_tank.mode())},
        {QStringLiteral("filter"), int(m_filter)},
        {QStringLiteral("empty"), m_tank.empty()},
        {QStringLiteral("full"), m_tank.full()},
        {QStringLiteral("level"), m_tank.level()},
        {QStringLiteral("cnt"), m_tank.cnt()},
        {QStringLiteral("targetCnt"), m_tank.targetCnt()},
        {QStringLiteral("maxLevel"), m_tank.maxLevel()},
        {QStringLiteral("temp"), int(m_tank.temperature())},
        {QStringLiteral("noise"), m_tank.noisePercent()},
        {QStringLiteral("drift"), m_tank.driftPercent()},
        {QStringLiteral("basePassword"), double(m_basePassword.password())},
        {QStringLiteral("baseLocked"), m_basePassword.isLocked()},
        {QStringLiteral("sensorPassword"), double(m_sensorPassword.password())},
        {QStringLiteral("sensorLocked"), m_sensorPassword.isLocked()},
        {QStringLiteral("identifier"), double(m_identifier)},
        {QStringLiteral("resultPending"), int(m_pendingResult)},
        {QStringLiteral("reboots"), m_reboots},
        {QStringLiteral("rebootMs"), qint64(m_rebootTime.count())},
        {QStringLiteral("horizon"), m_horizonCalibrations},
        {QStringLiteral("readingsSent"), readingsRepliesSent()},
        {QStringLiteral("tablesSent"), tableRepliesSent()},
        {QStringLiteral("tableLevels"), SensorTable::json(m_table.levels)},
        {QStringLiteral("tableVolumes"), SensorTable::json(m_table.volumes)},
    };
    if (isAdvertising()) {
        state.insert(QStringLiteral("configuration"), int(m_heard.configuration()));
        state.insert(QStringLiteral("heard"), m_heard.json());
    }
    return state;
}
