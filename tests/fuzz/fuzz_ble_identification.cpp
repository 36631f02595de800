// The base station's identification reply (0xFC): any length, any bytes.
#include "blefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const auto id = BleReplies::decodeIdentification(reply);
    // Serial number and version up to offset 8, then the CRC.
    FUZZ_CHECK(id.has_value()
               == (size >= size_t(BleReplies::kIdentificationLength)
                   && fuzzHasCode(data, size, Protocol::Command::ReadIdentification)));
    fuzzAtMostOneDecoder(reply);
    if (!id)
        return 0;
    FUZZ_CHECK(quint32(id->serialNumber) == fuzzLittleEndian(data, 3, 4));
    FUZZ_CHECK(id->baseFirmware == fuzzLittleEndian(data, 7, 2));
    const quint16 version = id->baseFirmware;
    FUZZ_CHECK(BleReplies::isAdvertisingVersion(version) == (version >= 223 && version <= 998));
    fuzzCheckVersionText(version);
    return 0;
}
