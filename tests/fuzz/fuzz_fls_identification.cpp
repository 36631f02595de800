// The wired sensor's identification reply (0xFC): serial number and firmware.
#include "fuzzinput.h"

#include "devices/fls/flsreplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const auto id = FlsReplies::decodeIdentification(reply);
    // Fields up to offset 8 and the CRC: shorter replies are refused.
    FUZZ_CHECK(id.has_value() == (reply.size() >= FlsReplies::kIdentificationLength));
    if (!id)
        return 0;
    // Three decimal digits, major.minor.patch, whatever the version number.
    const QString text = FlsReplies::firmwareText(id->firmware);
    FUZZ_CHECK(text.size() == 5 && text.at(1) == QLatin1Char('.') && text.at(3) == QLatin1Char('.'));
    return 0;
}
