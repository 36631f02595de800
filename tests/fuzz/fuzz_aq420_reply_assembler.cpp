// The reply assembler with the angle sensor's reply lengths, fed in bursts
// as assemblerfeed.h describes. Every reply it cuts out must be one that
// the sensor's decoders take.
#include "assemblerfeed.h"

#include "devices/angle/aq420replies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    namespace C = Protocol::Command;
    fuzzAssemblerFeed(Aq420Replies::replyLengths(), data, size, [](const QByteArray &reply) {
        switch (quint8(reply.at(Protocol::kCommandOffset))) {
        case C::ReadSettings:
            FUZZ_CHECK(Aq420Replies::decodeReadings(reply));
            break;
        case C::ReadIdentification:
            FUZZ_CHECK(Aq420Replies::decodeIdentification(reply));
            break;
        default:
            FUZZ_CHECK(reply.size() == Aq420Replies::kEchoLength); // the echo of a change
            break;
        }
    });
    return 0;
}
