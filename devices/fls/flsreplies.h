#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class ReplyLengths;

// Model kinds of the wired fuel level sensor, told apart by the model byte
// of the settings reply.
enum class FlsModel { None, KV510, KV210, KV260, KV610, Generic };

// The settings reply (0xF0): readings and settings of one sensor. Values
// are least significant byte first.
struct FlsSettingsReply {
    int length = 0;
    qint8 temperature = 0; // °C
    quint16 level = 0;
    qint32 cnt = 0;        // raw measurement count
    qint32 emptyCount = 0; // CNT stored by "set empty"
    qint32 fullCount = 0;  // CNT stored by "set full"
    quint8 modeByte = 0;   // bit 7: 12-bit resolution; bits 0..6 output mode
    quint8 lampThreshold = 0; // offset 21: KV510 fuel lamp threshold, %
    quint8 settingsByte = 0;  // filtration and function bits
    quint8 kv260Output = 0;   // offset 23 on KV260: bit 4 sends the serial number
    FlsModel model = FlsModel::None;

    bool twelveBit() const { return modeByte & 0x80; }
    quint8 modeCode() const { return modeByte & 0x7F; }
    quint8 filtration() const { return settingsByte & 0x0F; }
};

// The identification reply (0xFC).
struct FlsIdentification {
    qint32 serialNumber = 0;
    quint16 firmware = 0;
};

// What the sensor answers to a password frame (0xF7 or 0xF8).
enum class FlsPasswordAnswer {
    Accepted, // 0xF8: password right, or no protection
    Wrong,    // 0xFD: password wrong, or protected
    Stored,   // 0xF7: new password stored, or not protected
};

// Widget-free decoding of the wired sensor's replies. Replies carry no
// length field, so every decoder checks the length before it reads a field
// and refuses what is too short.
class FlsReplies
{
public:
    static constexpr int kSettingsMinLength = 24;  // fields up to offset 22 and the CRC
    static constexpr int kIdentificationLength = 10; // fields up to offset 8 and the CRC
    static constexpr int kTableLength = 84;          // 40 values up to offset 82 and the CRC
    static constexpr int kTableRows = 20;

    static constexpr int kEchoLength = 4;            // prefix, address, command, CRC
    static constexpr int kPasswordAnswerLength = 8;  // an answer may carry the 4 password bytes

    // The lengths each reply of the wired sensor may have, for the reply
    // assembler: the readings reply comes in three lengths, every command
    // that changes the sensor is answered by its bare echo.
    static const ReplyLengths &replyLengths();

    static FlsModel modelFromByte(quint8 modelByte);
    // The model byte sits at offset 21, 23 or 27 for replies of 24, 25 or
    // 29 bytes; any other length names no model.
    static FlsModel modelOf(const QByteArray &reply);
    static std::optional<FlsSettingsReply> decodeSettings(const QByteArray &reply);
    static std::optional<FlsIdentification> decodeIdentification(const QByteArray &reply);
    // The sensor's calibration table: 20 levels then 20 volumes, high byte first.
    static std::optional<QVector<quint16>> decodeTable(const QByteArray &reply);

    // A password answer from a whole frame (prefix, CRC and address already
    // checked by the caller); nothing for any other reply.
    static std::optional<FlsPasswordAnswer> passwordAnswer(const QByteArray &reply);

    static QString modelName(FlsModel model); // "KV510", ..., "FLS"
    // "x.y.z" from the last three decimal digits of the version.
    static QString firmwareText(quint16 version);
    // Calibrated unless full > 2.2 × empty or full < 1.3 × empty.
    static bool isCalibrated(qint32 emptyCount, qint32 fullCount);
};
