// The wired sensor's answers to the password frames (0xF7, 0xF8).
#include "fuzzinput.h"

#include "devices/fls/flsreplies.h"
#include "link/protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const auto answer = FlsReplies::passwordAnswer(reply);
    if (reply.size() < FlsReplies::kEchoLength) {
        FUZZ_CHECK(!answer);
        return 0;
    }
    // The command byte alone tells the answer.
    namespace C = Protocol::Command;
    switch (quint8(reply.at(Protocol::kCommandOffset))) {
    case C::EnterPassword: FUZZ_CHECK(answer == FlsPasswordAnswer::Accepted); break;
    case C::WrongPassword: FUZZ_CHECK(answer == FlsPasswordAnswer::Wrong); break;
    case C::SetPassword: FUZZ_CHECK(answer == FlsPasswordAnswer::Stored); break;
    default: FUZZ_CHECK(!answer); break;
    }
    return 0;
}
