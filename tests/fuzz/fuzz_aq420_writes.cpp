// A settings write of the angle sensor planned from whatever was typed:
//   byte 0  which of the five fields were edited (bits 0..4: Up, Down,
//           DelayOn, DelayOff, address)
//   byte 1  the mode byte the sensor reported
//   rest    the texts of the fields, UTF-8, separated by line breaks
// A plan is refused as a whole or sends only frames the sensor can take.
#include "fuzzinput.h"

#include "devices/angle/aq420modes.h"
#include "devices/angle/aq420writes.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const quint8 edited = data[0];
    const quint8 mode = data[1];
    const QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 2), int(size - 2))
            .split(QLatin1Char('\n'));
    Aq420Edits edits;
    for (int i = 0; i < kAq420FieldCount; ++i) {
        if (edited & (1 << i))
            edits.set(Aq420Field(i), texts.value(i));
    }
    Aq420Settings now;
    now.up = 70;
    now.down = 20;
    now.delayOn = 5;
    now.delayOff = 6;
    now.address = 4;
    now.modeByte = mode;

    const Aq420Writes::Plan plan = Aq420Writes::plan(edits, now, 4);
    if (plan.refusal != Aq420Writes::Refusal::None) {
        FUZZ_CHECK(plan.steps.isEmpty());
        return 0;
    }
    const Aq420Settings &e = plan.expected;
    FUZZ_CHECK(e.up >= 0 && e.up <= Aq420Writes::kMaxLimit);
    FUZZ_CHECK(e.down >= 0 && e.down <= e.up);
    FUZZ_CHECK(e.delayOn >= 0 && e.delayOff >= 0);
    FUZZ_CHECK(e.address >= Aq420Writes::kFirstAddress && e.address <= Aq420Writes::kLastAddress);
    FUZZ_CHECK(e.modeByte == mode);
    int changed = 0;
    for (int i = 0; i < kAq420FieldCount; ++i)
        changed += (edited >> i) & 1;
    FUZZ_CHECK(plan.steps.size() == changed);
    for (const Aq420Writes::Step &step : plan.steps) {
        const bool delay = step.field == Aq420Field::DelayOn || step.field == Aq420Field::DelayOff;
        FUZZ_CHECK(step.frame.isEmpty() == (delay && !Aq420Modes::hasDelays(mode)));
        if (step.frame.isEmpty())
            continue;
        FUZZ_CHECK(Frame::hasValidCrc(step.frame));
        FUZZ_CHECK(quint8(step.frame.at(Protocol::kAddressOffset)) == 4);
        FUZZ_CHECK(step.frame.mid(Protocol::kPayloadOffset, 3) == Frame::writeKey());
    }
    return 0;
}
