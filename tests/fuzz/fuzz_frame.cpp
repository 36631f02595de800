// Reply frames: the acceptance check and the CRC test. The first input byte
// is the polled address, the rest the candidate reply.
#include "fuzzinput.h"

#include "link/frame.h"
#include "link/protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const quint8 polled = data[0];
    const QByteArray block = fuzzBytes(data + 1, size - 1);

    const bool crcOk = Frame::hasValidCrc(block);
    const Frame::Verdict verdict = Frame::check(block, polled);
    // Anything that does not start like a reply is not one.
    if (!block.isEmpty() && quint8(block.at(0)) != Protocol::kReplyPrefix)
        FUZZ_CHECK(verdict == Frame::Verdict::NotAReply);
    if (verdict == Frame::Verdict::Accepted) {
        FUZZ_CHECK(crcOk);
        FUZZ_CHECK(block.size() >= Protocol::kMinReplyLength);
        FUZZ_CHECK(quint8(block.at(0)) == Protocol::kReplyPrefix);
        FUZZ_CHECK(quint8(block.at(1)) == polled);
    }

    // A reply built by the tool's own routine passes the check for its address.
    if (block.size() >= 1) {
        const QByteArray built = Frame::reply(polled, quint8(block.at(0)), block.mid(1));
        FUZZ_CHECK(Frame::check(built, polled) == Frame::Verdict::Accepted);
    }
    return 0;
}
