#include "aq420writes.h"

#include "aq420modes.h"
#include "link/frame.h"
#include "link/protocol.h"

namespace {
using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

constexpr auto kAfterLimit = 200ms;
constexpr auto kAfterDownLimit = 500ms; // the sensor stores the lower limit more slowly
constexpr auto kAfterDelay = 200ms;
constexpr auto kAfterAddress = 200ms;

QByteArray oneByte(quint16 value)
{
    return QByteArray(1, char(value & 0xFF));
}
} // namespace

bool Aq420Edits::anyChanged() const
{
    for (const bool edited : changed) {
        if (edited)
            return true;
    }
    return false;
}

QByteArray Aq420Writes::modeFrame(quint8 address, quint8 modeByte)
{
    return Frame::writeRequest(address, Cmd::AngleSetMode, QByteArray(1, char(modeByte)));
}

QByteArray Aq420Writes::zeroFrame(quint8 address)
{
    return Frame::writeRequest(address, Cmd::AngleSetZero);
}

QByteArray Aq420Writes::fieldFrame(Aq420Field field, quint8 address, quint8 modeByte,
                                   quint16 value)
{
    const bool bucket = Aq420Modes::modeOf(modeByte) == Aq420Modes::kBucket;
    const bool blade = Aq420Modes::modeOf(modeByte) == Aq420Modes::kBlade;
    switch (field) {
    case Aq420Field::Up:
        return Frame::writeRequest(address, Cmd::AngleSetUp, Frame::bigEndian16(value));
    case Aq420Field::Down:
        return Frame::writeRequest(address, Cmd::AngleSetDown, Frame::bigEndian16(value));
    case Aq420Field::DelayOn:
        if (bucket)
            return Frame::writeRequest(address, Cmd::AngleDelayOnBucket, Frame::bigEndian16(value));
        if (blade)
            return Frame::writeRequest(address, Cmd::AngleDelayOnBlade, oneByte(value));
        return {};
    case Aq420Field::DelayOff:
        if (bucket)
            return Frame::writeRequest(address, Cmd::AngleDelayOffBucket, Frame::bigEndian16(value));
        if (blade)
            return Frame::writeRequest(address, Cmd::AngleDelayOffBlade, oneByte(value));
        return {};
    case Aq420Field::Address:
        return Frame::writeRequest(address, Cmd::SetAddress, oneByte(value));
    }
    return {};
}

std::chrono::milliseconds Aq420Writes::waitAfter(Aq420Field field)
{
    switch (field) {
    case Aq420Field::Up: return kAfterLimit;
    case Aq420Field::Down: return kAfterDownLimit;
    case Aq420Field::DelayOn:
    case Aq420Field::DelayOff: return kAfterDelay;
    case Aq420Field::Address: return kAfterAddress;
    }
    return kAfterLimit;
}

std::optional<int> Aq420Writes::value(Aq420Field field, const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok || number < 0)
        return std::nullopt;
    const int top = field == Aq420Field::Up || field == Aq420Field::Down ? kMaxLimit
                    : field == Aq420Field::Address                       ? 0xFF
                                                                         : kMaxDelay;
    if (number > top)
        return std::nullopt;
    return number;
}

Aq420Writes::Plan Aq420Writes::plan(const Aq420Edits &edits, const Aq420Settings &readBack,
                                    quint8 address)
{
    Plan plan;
    plan.expected = readBack;
    const auto refused = [&plan](Refusal why) {
        plan.refusal = why;
        plan.steps.clear(); // nothing of a refused write goes out
        return plan;
    };
    int *targets[kAq420FieldCount] = {&plan.expected.up, &plan.expected.down,
                                    &plan.expected.delayOn, &plan.expected.delayOff,
                                    &plan.expected.address};
    for (int i = 0; i < kAq420FieldCount; ++i) {
        const auto field = Aq420Field(i);
        if (!edits.isChanged(field))
            continue;
        const std::optional<int> typed = value(field, edits.text[size_t(i)]);
        const bool addressLost = field == Aq420Field::Address && typed
                                 && (*typed < kFirstAddress || *typed > kLastAddress);
        if (!typed || addressLost)
            return refused(field == Aq420Field::Address ? Refusal::BadAddress
                                                        : Refusal::EmptyField);
        *targets[i] = *typed;
        plan.steps.append(
            {field, fieldFrame(field, address, quint8(readBack.modeByte), quint16(*typed))});
    }
    if ((edits.isChanged(Aq420Field::Up) || edits.isChanged(Aq420Field::Down))
        && plan.expected.down > plan.expected.up)
        return refused(Refusal::DownAboveUp);
    return plan;
}
