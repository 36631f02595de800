#pragma once

// The reply assembler fed the way a converter delivers: the input is a
// sequence of chunks with their timing, each followed by a parse tick.
//
//   gap     1 byte   ms from the previous event to the chunk's first byte
//   spread  1 byte   ms from the chunk's first byte to its last
//   length  1 byte   bytes in the chunk (fewer when the input ends)
//   bytes   length
//   tick    1 byte   ms after the chunk's last byte at which replies are taken
//
// The reply lengths of one kind of device decide where replies may end. The
// properties every assembler keeps are checked here; `onReply` sees each
// reply taken, for what the device's own decoders must make of it.
#include "fuzzinput.h"

#include "link/frame.h"
#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QList>

#include <algorithm>

inline bool fuzzLengthAllowed(const ReplyLengths &lengths, const QByteArray &reply)
{
    const std::vector<int> &allowed = lengths.of(quint8(reply.at(Protocol::kCommandOffset)));
    return std::find(allowed.begin(), allowed.end(), int(reply.size())) != allowed.end();
}

template<typename OnReply>
void fuzzAssemblerFeed(const ReplyLengths &lengths, const uint8_t *data, size_t size,
                       OnReply onReply)
{
    ReplyAssembler assembler(lengths);

    QByteArray received;  // every byte handed over, in order
    qint64 taken = 0;     // bytes in the replies taken
    int searchFrom = 0;   // where the next reply may start in `received`
    qint64 now = 0;

    auto takeAt = [&](qint64 when) {
        const QList<QByteArray> replies = assembler.takeReplies(when);
        for (const QByteArray &reply : replies) {
            // Only whole frames come out, of a length their code may have.
            FUZZ_CHECK(reply.size() >= Protocol::kMinReplyLength);
            FUZZ_CHECK(quint8(reply.at(0)) == Protocol::kReplyPrefix);
            FUZZ_CHECK(Frame::hasValidCrc(reply));
            FUZZ_CHECK(fuzzLengthAllowed(lengths, reply));
            // In the order the bytes came, none taken twice.
            const int at = int(received.indexOf(reply, searchFrom));
            FUZZ_CHECK(at >= 0);
            searchFrom = at + int(reply.size());
            taken += reply.size();
            onReply(reply);
        }
        // Every byte is in a reply, dropped as garbage, or still pending.
        FUZZ_CHECK(taken + assembler.droppedBytes() + assembler.pending().size()
                   == received.size());
    };

    size_t pos = 0;
    while (pos + 3 <= size) {
        const int gap = data[pos];
        const int spread = data[pos + 1];
        const size_t length = std::min<size_t>(data[pos + 2], size - pos - 3);
        pos += 3;
        const QByteArray chunk(reinterpret_cast<const char *>(data + pos), int(length));
        pos += length;
        const int tick = pos < size ? data[pos++] : 0;

        const qint64 first = now + gap;
        const qint64 last = first + spread;
        assembler.append(chunk, first, last);
        received += chunk;
        now = last + tick;
        takeAt(now);
    }
    // After a long silence nothing can still be arriving.
    takeAt(now + ReplyAssembler::kStaleAfter.count());
    FUZZ_CHECK(!assembler.hasPending());
}
