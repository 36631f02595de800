// The reply assembler with the base station's reply lengths, fed in bursts
// as assemblerfeed.h describes. Every reply it cuts out must be one that
// the base's decoders take.
#include "assemblerfeed.h"

#include "devices/wireless/blereplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    namespace C = Protocol::Command;
    fuzzAssemblerFeed(BleReplies::replyLengths(), data, size, [](const QByteArray &reply) {
        switch (quint8(reply.at(Protocol::kCommandOffset))) {
        case C::ReadSettings: {
            const auto d = BleReplies::decodeData(reply);
            FUZZ_CHECK(d && d->linkState); // cut only at the lengths with a link state
            break;
        }
        case C::ReadIdentification:
            FUZZ_CHECK(BleReplies::decodeIdentification(reply));
            break;
        case C::ReadTable:
            FUZZ_CHECK(BleReplies::decodeTable(reply));
            break;
        case C::WriteSettings:
            FUZZ_CHECK(BleReplies::decodeSettingsEcho(reply));
            break;
        default:
            // Echoes and password answers: the frame, or the frame and the
            // four password bytes.
            FUZZ_CHECK(reply.size() == BleReplies::kEchoLength
                       || reply.size() == BleReplies::kPasswordAnswerLength);
            break;
        }
    });
    return 0;
}
