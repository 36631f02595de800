// The search answer: every received byte is one bus address.
#include "fuzzinput.h"

#include "link/addresslist.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer = fuzzBytes(data, size);

    const AddressList list(answer);
    FUZZ_CHECK(list.count() == answer.size());
    FUZZ_CHECK(list.at(-1) == 0 && list.at(list.count()) == 0);
    FUZZ_CHECK(list.first() == (answer.isEmpty() ? 0 : quint8(answer.at(0))));
    const QString joined = list.joined();
    FUZZ_CHECK(joined.isEmpty() == list.isEmpty());
    if (!list.isEmpty())
        FUZZ_CHECK(joined.split(QLatin1Char(',')).size() == list.count());

    // The page polls at most three sensors, in turn.
    constexpr int kMaxSensors = 3;
    int index = 0;
    for (int turn = 0; turn < 2 * kMaxSensors; ++turn) {
        index = list.nextIndex(index, kMaxSensors);
        FUZZ_CHECK(index >= 0 && index < qMax(1, qMin(list.count(), kMaxSensors)));
    }

    // The main window's copy stops before the first zero byte.
    const AddressList copy = AddressList::untilZero(answer);
    FUZZ_CHECK(!copy.bytes().contains('\0'));
    FUZZ_CHECK(answer.startsWith(copy.bytes()));
    FUZZ_CHECK(copy.count() == answer.size() || answer.at(copy.count()) == '\0');
    return 0;
}
