#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// The wired fuel level sensors the line can emulate.
enum class SensorKind {
    Fls,   // generic sensor, any model code the tool does not know by name
    Kv210,
    Kv260, // reports an output byte (serial-number sending) in its readings
    Kv510, // reports a fuel lamp threshold in its readings
    Kv610,
};

// Names, model bytes and reply lengths of the sensor kinds.
namespace SensorKinds {

// Lengths of the readings reply (0xF0) that a sensor may use; the model byte
// moves with the length, so the tool tells models apart by it.
constexpr int kShortReply = 24;  // model byte at offset 21
constexpr int kMediumReply = 25; // model byte at offset 23
constexpr int kLongReply = 29;   // model byte at offset 27

QString name(SensorKind kind);
std::optional<SensorKind> fromName(const QString &name);
QStringList names();

quint8 modelByte(SensorKind kind);
int defaultReplyLength(SensorKind kind);
// Offset of the model byte in a readings reply of the given length, -1 if none.
int modelByteOffset(int replyLength);
// Why the kind cannot reply with this length; empty when it can.
QString replyLengthConflict(SensorKind kind, int replyLength);

} // namespace SensorKinds
