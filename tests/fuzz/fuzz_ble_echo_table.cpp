// The base station's settings echo (0xF2) and the sensor's table (0xEF)
// that it relays: any length, any bytes.
#include "blefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    fuzzAtMostOneDecoder(reply);

    const auto echo = BleReplies::decodeSettingsEcho(reply);
    FUZZ_CHECK(echo.has_value()
               == (size >= size_t(BleReplies::kSettingsEchoLength)
                   && fuzzHasCode(data, size, Protocol::Command::WriteSettings)));
    if (echo) {
        FUZZ_CHECK(echo->modeByte == data[3]);
        FUZZ_CHECK(echo->filterByte == data[4]);
    }

    const auto table = BleReplies::decodeTable(reply);
    // 40 values up to offset 82, then the CRC.
    FUZZ_CHECK(table.has_value()
               == (size >= size_t(BleReplies::kTableLength)
                   && fuzzHasCode(data, size, Protocol::Command::ReadTable)));
    if (table) {
        FUZZ_CHECK(table->size() == 2 * BleReplies::kTableRows);
        for (int i = 0; i < table->size(); ++i) {
            const size_t at = 3 + 2 * size_t(i);
            // Most significant byte first, unlike the data reply.
            FUZZ_CHECK(table->at(i) == ((quint16(data[at]) << 8) | data[at + 1]));
        }
    }
    return 0;
}
