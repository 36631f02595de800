// The remote-control page: a terminal's answer pasted as any text, and the
// fields typed for a line. Input: command byte, mode byte, filtration byte,
// then the text, whose first line is also the address field and the rest
// the value field.
#include "fuzzinput.h"

#include "devices/fls/remotecommand.h"
#include "link/frame.h"

namespace {
using RC = RemoteCommand;

// Whether text is a decimal number up to max; an empty field is 0.
bool fits(const QString &text, quint64 max)
{
    const QString digits = text.trimmed();
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = true;
    const quint64 value = digits.isEmpty() ? 0 : digits.toULongLong(&ok);
    return ok && value <= max;
}

quint64 maxOf(RC::Value value)
{
    switch (value) {
    case RC::Value::Offset: return RC::kMaxOffset;
    case RC::Value::Password:
    case RC::Value::Level: return RC::kMaxLong;
    case RC::Value::None:
    case RC::Value::ModeAndFiltration: break;
    }
    return ~quint64(0); // the field is not read
}

void checkAnswer(const QString &text)
{
    const auto answer = RC::decodeAnswer(text);
    if (!answer)
        return;
    FUZZ_CHECK(text.contains(QLatin1String("3e"), Qt::CaseInsensitive));
    FUZZ_CHECK(text.mid(4, 2) == QLatin1String("06"));
    // Both fields come from the characters behind the code.
    bool ok = false;
    FUZZ_CHECK(answer->temperature == qint8(text.mid(6, 2).toUInt(&ok, 16)) && ok);
    const QString level = text.mid(10, 2) + text.mid(8, 2);
    FUZZ_CHECK(answer->level == qint16(level.toUInt(&ok, 16)) && ok);
}

void checkLine(const uint8_t *data, size_t size, const QString &text)
{
    if (size < 3)
        return;
    RC::Request request;
    request.command = int(data[0] % (RC::CommandCount + 1)); // one past the list too
    request.modeIndex = int(qint8(data[1]));
    request.filtrationIndex = int(qint8(data[2]));
    const int split = text.indexOf(QLatin1Char('\n'));
    request.address = split < 0 ? text : text.left(split);
    request.value = split < 0 ? QString() : text.mid(split + 1);
    const RC::Result result = RC::build(request);
    if (request.command == RC::CommandCount) {
        FUZZ_CHECK(result.line.isEmpty());
        return;
    }
    const RC::Value kind = RC::valueOf(request.command);
    const bool addressFits = fits(request.address, RC::kMaxAddress);
    const bool valueFits = fits(request.value, maxOf(kind)) || maxOf(kind) == ~quint64(0);
    FUZZ_CHECK(result.ok() == (addressFits && valueFits));
    if (!result.ok()) {
        FUZZ_CHECK(result.line.isEmpty());
        FUZZ_CHECK(*result.refusal == RC::Refusal::Address || addressFits);
        return;
    }
    // The frame behind the terminal's fields is whole, for the address typed.
    FUZZ_CHECK(result.line.startsWith(QLatin1String("S485=")));
    const QByteArray frame =
        QByteArray::fromHex(result.line.mid(result.line.lastIndexOf(QLatin1Char(':')) + 1).toLatin1());
    FUZZ_CHECK(frame.size() >= 4 && quint8(frame.at(0)) == 0x31);
    FUZZ_CHECK(Frame::hasValidCrc(frame));
    FUZZ_CHECK(quint8(frame.at(1)) == request.address.trimmed().toUInt());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString whole = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    checkAnswer(whole);
    checkLine(data, size, size >= 3 ? whole.mid(3) : QString());
    return 0;
}
