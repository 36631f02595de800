// The wired sensor's calibration table reply (0xEF): 20 levels, 20 volumes.
#include "fuzzinput.h"

#include "devices/fls/flsreplies.h"

#include <QVector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const auto table = FlsReplies::decodeTable(reply);
    // Forty values up to offset 82 and the CRC: shorter replies are refused.
    FUZZ_CHECK(table.has_value() == (reply.size() >= FlsReplies::kTableLength));
    if (table)
        FUZZ_CHECK(table->size() == 2 * FlsReplies::kTableRows);
    return 0;
}
