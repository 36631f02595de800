#include "blereplies.h"

#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QCoreApplication>
#include <QtEndian>

namespace {
// Identification reply offsets.
constexpr int kSerial = 3;
constexpr int kBaseFirmware = 7;
// Data reply offsets.
constexpr int kTemperature = 3;
constexpr int kLevel = 4;
constexpr int kRaw = 6;
constexpr int kEmpty = 10;
constexpr int kFull = 14;
constexpr int kMode = 20;
constexpr int kFilter = 22;
constexpr int kSensorFirmware = 23;
constexpr int kLinkState = 27;
constexpr int kRssi = 28;
constexpr int kBattery = 29;
constexpr int kMac = 30;
constexpr int kResultCode = 36;
// Settings echo offsets.
constexpr int kEchoMode = 3;
constexpr int kEchoFilter = 4;
constexpr int kTableData = 3;

// Unit after the battery voltage.
const char kVoltUnit[] = QT_TRANSLATE_NOOP("BLEDevice", "В");

// The lengths of a data reply that carry a link state.
constexpr int kDataLengths[] = {38, 42, 45, 84};

const uchar *at(const QByteArray &reply, int offset)
{
    return reinterpret_cast<const uchar *>(reply.constData()) + offset;
}

bool hasCode(const QByteArray &reply, quint8 code, int minLength)
{
    return reply.size() >= minLength && quint8(reply.at(0)) == Protocol::kReplyPrefix
           && quint8(reply.at(Protocol::kCommandOffset)) == code;
}
} // namespace

const ReplyLengths &BleReplies::replyLengths()
{
    namespace C = Protocol::Command;
    static const ReplyLengths lengths = [] {
        ReplyLengths table{
            {C::ReadSettings, {std::begin(kDataLengths), std::end(kDataLengths)}},
            {C::ReadIdentification, {kIdentificationLength}},
            {C::ReadTable, {kTableLength}},
            {C::WriteSettings, {kSettingsEchoLength}},
        };
        for (const quint8 password : {C::SetPassword, C::EnterPassword, C::WrongPassword})
            table.set(password, {kEchoLength, kPasswordAnswerLength});
        // The base answers most commands for its sensor with a result code
        // in the next data reply; these it may also echo.
        for (const quint8 echoed :
             {C::SetAddress, C::WriteTable, C::CalibrateHorizon, C::SetFull, C::SetEmpty,
              C::ManualEmpty, C::ManualFull, C::BleNameAccepted, C::SetBaseIdentifier,
              C::RestartBleForUpdate, C::EnterPasswordBle, C::SetPasswordBle})
            table.set(echoed, {kEchoLength});
        return table;
    }();
    return lengths;
}

std::optional<BleIdentification> BleReplies::decodeIdentification(const QByteArray &reply)
{
    if (!hasCode(reply, Protocol::Command::ReadIdentification, kIdentificationLength))
        return std::nullopt;
    BleIdentification id;
    id.serialNumber = qFromLittleEndian<qint32>(at(reply, kSerial));
    id.baseFirmware = qFromLittleEndian<quint16>(at(reply, kBaseFirmware));
    return id;
}

std::optional<BleDataReply> BleReplies::decodeData(const QByteArray &reply)
{
    if (!hasCode(reply, Protocol::Command::ReadSettings, kDataMinLength))
        return std::nullopt;
    BleDataReply data;
    data.length = int(reply.size());
    data.temperature = qint8(reply.at(kTemperature));
    data.level = qFromLittleEndian<quint16>(at(reply, kLevel));
    data.raw = qFromLittleEndian<qint32>(at(reply, kRaw));
    data.empty = qFromLittleEndian<qint32>(at(reply, kEmpty));
    data.full = qFromLittleEndian<qint32>(at(reply, kFull));
    data.modeByte = quint8(reply.at(kMode));
    data.filterByte = quint8(reply.at(kFilter));
    data.sensorFirmware = quint8(reply.at(kSensorFirmware));
    for (const int length : kDataLengths) {
        if (data.length == length)
            data.linkState = quint8(reply.at(kLinkState));
    }
    data.rssi = qint8(reply.at(kRssi));
    data.battery = quint8(reply.at(kBattery));
    for (int i = 0; i < int(data.mac.size()); ++i)
        data.mac[size_t(i)] = quint8(reply.at(kMac + i));
    data.resultCode = quint8(reply.at(kResultCode));
    return data;
}

std::optional<BleSettingsEcho> BleReplies::decodeSettingsEcho(const QByteArray &reply)
{
    if (!hasCode(reply, Protocol::Command::WriteSettings, kSettingsEchoLength))
        return std::nullopt;
    return BleSettingsEcho{quint8(reply.at(kEchoMode)), quint8(reply.at(kEchoFilter))};
}

std::optional<QVector<quint16>> BleReplies::decodeTable(const QByteArray &reply)
{
    if (!hasCode(reply, Protocol::Command::ReadTable, kTableLength))
        return std::nullopt;
    QVector<quint16> values;
    values.reserve(2 * kTableRows);
    for (int i = 0; i < 2 * kTableRows; ++i)
        values.append(qFromBigEndian<quint16>(at(reply, kTableData + 2 * i)));
    return values;
}

BleLinkState BleReplies::linkState(quint8 code)
{
    BleLinkState state;
    state.answering = code >= kLinkBaseReady && code <= kLinkSensorLinked;
    state.baseReady = code == kLinkBaseReady || code == kLinkSensorLinked;
    state.sensorLinked = code == kLinkSensorLinked;
    state.offerBaseUpdate = code != kLinkSensorLinked;
    return state;
}

BleCommandResult BleReplies::commandResult(quint8 code)
{
    using Kind = BleCommandResult::Kind;
    const auto message = [](const char *status, const char *log) {
        return BleCommandResult{Kind::Message, status, log, false};
    };
    switch (code) {
    case 0: return {Kind::Link, nullptr, nullptr, false};
    case 1:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "UUID ВТ датчика успешно изменен"),
                       "UUID successfully changed");
    case 2:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "S/N ВТ датчика успешно изменен"),
                       "S/N bluetooth device successfully changed");
    case kResultPasswordOk:
    case kResultPasswordWrong:
        return {Kind::Password, nullptr, nullptr, false};
    case 4:
        return message(QT_TRANSLATE_NOOP("BLEDevice",
                                         "Директивная калибровка ВТ датчика произведена успешно"),
                       "Calibrate BLE successull");
    case kResultSensorRebooted:
        return {Kind::Message, QT_TRANSLATE_NOOP("BLEDevice", "Успешная перезагрузка ВТ датчика"),
                "Reboot BLE successfull", true};
    case 6:
        return message(QT_TRANSLATE_NOOP("BLEDevice",
                                         "Калибровка уровня полного ВТ датчика произведена"),
                       "Calibrate BLE full successfull");
    case 7:
        return message(QT_TRANSLATE_NOOP("BLEDevice",
                                         "Калибровка уровня пустого ВТ датчика произведена"),
                       "Calibrate BLE empty successfull");
    case 8:
        return message(QT_TRANSLATE_NOOP("BLEDevice",
                                         "Установлены заводские настройки ВТ датчика"),
                       "Factory setting for BLE successfully set");
    case 9:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Датчик переведен в режим сна"),
                       "BLE sleep");
    case 11:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Ошибка изменения UUID ВТ датчика"),
                       "Error set UUID BLE");
    case 12:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Ошибка изменения S/N ВТ датчика"),
                       "Error set S/N");
    case 13:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Ошибка изменения пароля ВТ датчика"),
                       "Error change password BLE");
    case 14:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Ошибка директивной калибровки ВТ датчика"),
                       "Error calibrate BLE");
    case 15:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Режим работы ВТ датчика установлен"),
                       "New mode BLE set");
    case 16:
        return message(QT_TRANSLATE_NOOP("BLEDevice", "Ошибка установки режима"),
                       "Error set new mode BLE");
    default: return {};
    }
}

bool BleReplies::isAdvertisingVersion(quint16 version)
{
    return quint16(version - kFirstAdvertisingVersion)
           <= kLastAdvertisingVersion - kFirstAdvertisingVersion;
}

QString BleReplies::versionText(quint16 version)
{
    return QStringLiteral("%1.%2.%3")
        .arg(version / 100 % 10)
        .arg(version / 10 % 10)
        .arg(version % 10);
}

QString BleReplies::batteryText(quint8 tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10 % 10).arg(tenths % 10)
           + QCoreApplication::translate("BLEDevice", kVoltUnit);
}

QString BleReplies::rssiText(qint8 rssi)
{
    return QString::number(rssi) + QStringLiteral("dB");
}

QString BleReplies::macText(const std::array<quint8, 6> &mac)
{
    QStringList parts;
    for (int i = int(mac.size()) - 1; i >= 0; --i)
        parts << QStringLiteral("%1").arg(mac[size_t(i)], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

bool BleReplies::isCalibrated(qint32 empty, qint32 full)
{
    const double e = double(empty);
    const double f = double(full);
    return !(f > 2.2 * e || f < 1.3 * e);
}

std::optional<quint32> BleReplies::passwordFromText(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return 0u;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok);
    if (!ok || value > 0xFFFFFFFFull)
        return std::nullopt;
    for (const QChar c : digits) {
        if (!c.isDigit())
            return std::nullopt;
    }
    return quint32(value);
}

QByteArray BleReplies::passwordPayload(quint32 password)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(password, reinterpret_cast<uchar *>(bytes.data()));
    return bytes;
}

std::optional<QByteArray> BleReplies::identifierPayload(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (!c.isDigit())
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong n = digits.toULongLong(&ok);
    if (!ok || n == 0 || n > kMaxIdentifier)
        return std::nullopt;
    QByteArray bytes;
    bytes.append(char(n & 0xFF));
    bytes.append(char((n >> 8) & 0xFF));
    bytes.append(char((n >> 16) & 0xFF));
    for (const quint8 tail : kIdentifierTail)
        bytes.append(char(tail));
    return bytes;
}
