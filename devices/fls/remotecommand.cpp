#include "remotecommand.h"

#include "flsparameters.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QCoreApplication>

namespace {
namespace Cmd = Protocol::Command;
using Value = RemoteCommand::Value;

constexpr const char *kContext = "RemoteCommand";

struct Entry {
    const char *text;
    const char *prompt;   // nullptr: the value field is not asked for
    const char *terminal; // what the terminal reads before the frame
    quint8 command;
    Value value;
};

// The terminal's fields in front of the frame are its own (they tell it how
// to reach the sensor and how long the answer is); they are sent unchanged.
const Entry kEntries[RemoteCommand::CommandCount] = {
    {QT_TRANSLATE_NOOP("RemoteCommand", "Ввести пароль"),
     QT_TRANSLATE_NOOP("RemoteCommand", "Введите числовой пароль"), "S485=11:4:1500:19200:",
     Cmd::EnterPassword, Value::Password},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Запрос состояния"), nullptr, "S485=4:23:1500:19200:",
     Cmd::ReadSettings, Value::None},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Запросить версию прошивки и серийный номер"), nullptr,
     "S485=4:10:1500:19200:", Cmd::ReadIdentification, Value::None},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Сдвинуть уровень пустого"),
     QT_TRANSLATE_NOOP("RemoteCommand", "Введите смещение в у.е."), "S485=6:10:1500:19200:",
     Cmd::ShiftEmpty, Value::Offset},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Сдвинуть уровень полного"),
     QT_TRANSLATE_NOOP("RemoteCommand", "Введите смещение в у.е."), "S485=6:10:1500:19200:",
     Cmd::ShiftFull, Value::Offset},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить уровень пустого"),
     QT_TRANSLATE_NOOP("RemoteCommand", "Введите значение пустого"), "S485=8:4:1500:19200:",
     Cmd::ManualEmpty, Value::Level},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить уровень полного"),
     QT_TRANSLATE_NOOP("RemoteCommand", "Введите значение полного"), "S485=8:4:1500:19200:",
     Cmd::ManualFull, Value::Level},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить режим"), nullptr, "S485=8:4:1500:19200:",
     Cmd::WriteSettings, Value::ModeAndFiltration},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить пароль"),
     QT_TRANSLATE_NOOP("RemoteCommand", "Введите числовой пароль"), "S485=8:4:1500:19200:",
     Cmd::SetPassword, Value::Password},
};

// Output modes in the order of the page's list.
constexpr quint8 kModeCodes[RemoteCommand::kModeCount] = {
    FlsParameters::kModeRs485,     FlsParameters::kModeAnalog,
    FlsParameters::kModeFrequency, FlsParameters::kModePulse,
    FlsParameters::kModePeriodicRs485, FlsParameters::kModeRs232};

// A terminal's level-and-temperature answer: after the reply prefix and the
// address come this code, the temperature byte and the level (2 bytes,
// least significant first).
constexpr quint8 kAnswerCode = 0x06;
constexpr int kCutCharacters = 4; // "3e" and the address, whatever they read
constexpr int kAnswerBytes = 4;

const char *const kBadAddress =
    QT_TRANSLATE_NOOP("RemoteCommand", "Сетевой номер должен быть числом от 0 до 255");
const char *const kBadPassword =
    QT_TRANSLATE_NOOP("RemoteCommand", "Пароль должен быть числом от 0 до 4294967295");
const char *const kBadOffset =
    QT_TRANSLATE_NOOP("RemoteCommand", "Смещение должно быть числом от 0 до 65535");
const char *const kBadLevel =
    QT_TRANSLATE_NOOP("RemoteCommand", "Уровень должен быть числом от 0 до 4294967295");

QString tr(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

const Entry *entry(int command)
{
    return command >= 0 && command < RemoteCommand::CommandCount ? &kEntries[command] : nullptr;
}

// An unsigned decimal number up to max; an empty field counts as 0.
// Anything else (a sign, a letter, a number too large) is no number.
std::optional<quint32> number(const QString &text, quint32 max)
{
    const QString digits = text.trimmed();
    quint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + quint64(c.unicode() - '0');
        if (value > max)
            return std::nullopt;
    }
    return quint32(value);
}

int hexDigit(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

QString lowerHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}
} // namespace

QStringList RemoteCommand::commandTexts()
{
    QStringList texts;
    for (const Entry &e : kEntries)
        texts << tr(e.text);
    return texts;
}

QStringList RemoteCommand::modeTexts()
{
    QStringList texts;
    for (const quint8 code : kModeCodes)
        texts << FlsParameters::modeText(code);
    return texts;
}

QStringList RemoteCommand::filtrationTexts()
{
    return FlsParameters::kvFiltrationTexts().mid(0, kFiltrationCount);
}

RemoteCommand::Value RemoteCommand::valueOf(int command)
{
    const Entry *e = entry(command);
    return e ? e->value : Value::None;
}

QString RemoteCommand::prompt(int command)
{
    const Entry *e = entry(command);
    return e && e->prompt ? tr(e->prompt) : QString();
}

quint8 RemoteCommand::modeCode(int index)
{
    return index >= 0 && index < kModeCount ? kModeCodes[index] : 0;
}

quint8 RemoteCommand::filtrationCode(int index)
{
    return index >= 0 && index < kFiltrationCount ? FlsParameters::kKvFiltrationCodes[index] : 0;
}

QString RemoteCommand::refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Address: return tr(kBadAddress);
    case Refusal::Password: return tr(kBadPassword);
    case Refusal::Offset: return tr(kBadOffset);
    case Refusal::Level: return tr(kBadLevel);
    }
    return {};
}

RemoteCommand::Result RemoteCommand::build(const Request &request)
{
    const Entry *e = entry(request.command);
    if (!e)
        return {};
    const auto address = number(request.address, kMaxAddress);
    if (!address)
        return {{}, Refusal::Address};

    QByteArray payload;
    switch (e->value) {
    case Value::None:
        break;
    case Value::Password:
    case Value::Level: {
        const auto value = number(request.value, kMaxLong);
        if (!value)
            return {{}, e->value == Value::Password ? Refusal::Password : Refusal::Level};
        payload = Frame::bigEndian32(*value);
        break;
    }
    case Value::Offset: {
        const auto value = number(request.value, kMaxOffset);
        if (!value)
            return {{}, Refusal::Offset};
        payload = Frame::bigEndian16(quint16(*value));
        break;
    }
    case Value::ModeAndFiltration:
        payload.append(char(modeCode(request.modeIndex)));
        payload.append(char(filtrationCode(request.filtrationIndex)));
        break;
    }

    // The same frame the serial link would send, written out as hex; the
    // write key stands out in upper case.
    const bool keyed = e->value != Value::None;
    const QByteArray frame = keyed ? Frame::writeRequest(quint8(*address), e->command, payload)
                                   : Frame::request(quint8(*address), e->command);
    const int head = Protocol::kPayloadOffset;
    const int key = keyed ? int(Protocol::kWriteKey.size()) : 0;
    QString line = QLatin1String(e->terminal) + lowerHex(frame.left(head));
    line += lowerHex(frame.mid(head, key)).toUpper();
    line += lowerHex(frame.mid(head + key));
    return {line, std::nullopt};
}

std::optional<RemoteCommand::Answer> RemoteCommand::decodeAnswer(const QString &text)
{
    if (!text.contains(QLatin1String("3e"), Qt::CaseInsensitive))
        return std::nullopt;
    const QString rest = text.mid(kCutCharacters);
    if (rest.size() < 2 * kAnswerBytes)
        return std::nullopt;
    quint8 bytes[kAnswerBytes];
    for (int i = 0; i < kAnswerBytes; ++i) {
        const int high = hexDigit(rest.at(2 * i));
        const int low = hexDigit(rest.at(2 * i + 1));
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = quint8(high << 4 | low);
    }
    if (bytes[0] != kAnswerCode)
        return std::nullopt;
    // The temperature byte is signed, as in the sensor's own readings.
    Answer answer;
    answer.temperature = qint8(bytes[1]);
    answer.level = qint16(quint16(bytes[2] | bytes[3] << 8));
    return answer;
}
