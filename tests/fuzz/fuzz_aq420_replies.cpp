// The angle sensor's readings (0xF0) and identification (0xFC) replies: any
// length, any bytes.
#include "fuzzinput.h"

#include "devices/angle/aq420replies.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const int length = int(reply.size());

    // Too short for the fields up to the delays, or the firmware: refused.
    const auto readings = Aq420Replies::decodeReadings(reply);
    FUZZ_CHECK(readings.has_value() == (length >= Aq420Replies::kReadingsLength));
    if (readings) {
        FUZZ_CHECK(Aq420Replies::frequency(readings->angle) == readings->angle + 300);
        FUZZ_CHECK(Aq420Replies::settingsText(*readings).startsWith(QStringLiteral("Down=")));
    }

    const auto id = Aq420Replies::decodeIdentification(reply);
    FUZZ_CHECK(id.has_value() == (length >= Aq420Replies::kIdentificationLength));
    if (id) {
        // Three single digits whatever the code.
        static const QRegularExpression version(QStringLiteral("^\\d\\.\\d\\.\\d$"));
        FUZZ_CHECK(version.match(Aq420Replies::firmwareText(id->firmware)).hasMatch());
        FUZZ_CHECK(Aq420Replies::connectionText(*id).startsWith(QStringLiteral("Connected AQ420 SerNum=")));
    }
    return 0;
}
