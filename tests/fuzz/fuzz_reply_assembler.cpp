// The reply assembler with the wired sensor's reply lengths, fed in bursts
// as assemblerfeed.h describes.
#include "assemblerfeed.h"

#include "devices/fls/flsreplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzAssemblerFeed(FlsReplies::replyLengths(), data, size, [](const QByteArray &) {});
    return 0;
}
