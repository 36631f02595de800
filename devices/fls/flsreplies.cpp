#include "flsreplies.h"

#include "link/frame.h"
#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QVector>
#include <QtEndian>

namespace {
// Reply offsets of the settings reply.
constexpr int kTemperature = 3;
constexpr int kLevel = 4;
constexpr int kCnt = 6;
constexpr int kEmpty = 10;
constexpr int kFull = 14;
constexpr int kMode = 20;
constexpr int kLamp = 21;
constexpr int kSettings = 22;
constexpr int kKv260Output = 23;
// Identification reply offsets.
constexpr int kSerial = 3;
constexpr int kFirmware = 7;
constexpr int kTableData = 3;

const uchar *at(const QByteArray &reply, int offset)
{
    return reinterpret_cast<const uchar *>(reply.constData()) + offset;
}
} // namespace

const ReplyLengths &FlsReplies::replyLengths()
{
    namespace C = Protocol::Command;
    static const ReplyLengths lengths = [] {
        ReplyLengths table{
            {C::ReadSettings, {24, 25, 29}},
            {C::ReadIdentification, {kIdentificationLength}},
            {C::ReadTable, {kTableLength}},
        };
        for (const quint8 password : {C::SetPassword, C::EnterPassword, C::WrongPassword})
            table.set(password, {kEchoLength, kPasswordAnswerLength});
        for (const quint8 echoed :
             {C::WriteSettings, C::SetAddress, C::WriteTable, C::SetFull, C::SetEmpty,
              C::ManualEmpty, C::ManualFull, C::ShiftEmpty, C::ShiftFull, C::Reset,
              C::SendSerialNumber, C::CalibrateHorizon, C::SetAlarmLevel})
            table.set(echoed, {kEchoLength});
        return table;
    }();
    return lengths;
}

FlsModel FlsReplies::modelFromByte(quint8 modelByte)
{
    switch (modelByte) {
    case 1: return FlsModel::KV510;
    case 2: return FlsModel::KV210;
    case 3: return FlsModel::KV260;
    case 0x60:
    case 0x62:
    case 0x63: return FlsModel::KV610;
    default: return FlsModel::Generic;
    }
}

FlsModel FlsReplies::modelOf(const QByteArray &reply)
{
    switch (reply.size()) {
    case 24: return modelFromByte(quint8(reply.at(21)));
    case 25: return modelFromByte(quint8(reply.at(23)));
    case 29: return modelFromByte(quint8(reply.at(27)));
    default: return FlsModel::None;
    }
}

std::optional<FlsSettingsReply> FlsReplies::decodeSettings(const QByteArray &reply)
{
    if (reply.size() < kSettingsMinLength)
        return std::nullopt;
    FlsSettingsReply r;
    r.length = int(reply.size());
    r.temperature = qint8(reply.at(kTemperature));
    r.level = qFromLittleEndian<quint16>(at(reply, kLevel));
    r.cnt = qFromLittleEndian<qint32>(at(reply, kCnt));
    r.emptyCount = qFromLittleEndian<qint32>(at(reply, kEmpty));
    r.fullCount = qFromLittleEndian<qint32>(at(reply, kFull));
    r.modeByte = quint8(reply.at(kMode));
    r.lampThreshold = quint8(reply.at(kLamp));
    r.settingsByte = quint8(reply.at(kSettings));
    r.model = modelOf(reply);
    // In a 24-byte reply offset 23 is the CRC, not an output byte.
    if (reply.size() > kKv260Output + 1)
        r.kv260Output = quint8(reply.at(kKv260Output));
    return r;
}

std::optional<FlsIdentification> FlsReplies::decodeIdentification(const QByteArray &reply)
{
    if (reply.size() < kIdentificationLength)
        return std::nullopt;
    FlsIdentification id;
    id.serialNumber = qFromLittleEndian<qint32>(at(reply, kSerial));
    id.firmware = qFromLittleEndian<quint16>(at(reply, kFirmware));
    return id;
}

std::optional<QVector<quint16>> FlsReplies::decodeTable(const QByteArray &reply)
{
    if (reply.size() < kTableLength)
        return std::nullopt;
    QVector<quint16> values;
    values.reserve(2 * kTableRows);
    for (int i = 0; i < 2 * kTableRows; ++i)
        values << qFromBigEndian<quint16>(at(reply, kTableData + 2 * i));
    return values;
}

std::optional<FlsPasswordAnswer> FlsReplies::passwordAnswer(const QByteArray &reply)
{
    if (reply.size() < kEchoLength)
        return std::nullopt;
    switch (quint8(reply.at(Protocol::kCommandOffset))) {
    case Protocol::Command::EnterPassword: return FlsPasswordAnswer::Accepted;
    case Protocol::Command::WrongPassword: return FlsPasswordAnswer::Wrong;
    case Protocol::Command::SetPassword: return FlsPasswordAnswer::Stored;
    default: return std::nullopt;
    }
}

QString FlsReplies::modelName(FlsModel model)
{
    switch (model) {
    case FlsModel::KV510: return QStringLiteral("KV510");
    case FlsModel::KV210: return QStringLiteral("KV210");
    case FlsModel::KV260: return QStringLiteral("KV260");
    case FlsModel::KV610: return QStringLiteral("KV610");
    case FlsModel::Generic: return QStringLiteral("FLS");
    case FlsModel::None: break;
    }
    return {};
}

QString FlsReplies::firmwareText(quint16 v)
{
    return QStringLiteral("%1.%2.%3").arg((v / 100) % 10).arg((v / 10) % 10).arg(v % 10);
}

bool FlsReplies::isCalibrated(qint32 emptyCount, qint32 fullCount)
{
    const double empty = emptyCount;
    const double full = fullCount;
    return !(full > 2.2 * empty || full < 1.3 * empty);
}
