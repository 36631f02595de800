#pragma once

#include "replyassembler.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>

#include <chrono>
#include <functional>

class RingBuffer;

// From the port to the parse routine of the active page: bytes wait in the
// receive buffer with the time they arrived; each parse tick takes them out
// either as whole replies (cut by the reply assembler) or, for the search
// answer and the bootloader's bytes, which are no frames, as one raw block.
class ReceivePath
{
public:
    using Clock = std::function<qint64()>; // milliseconds, monotonic

    explicit ReceivePath(RingBuffer *buffer);

    // Stores what the port delivered; a block that does not fit is dropped
    // whole, as half a reply is useless.
    void received(const QByteArray &bytes);

    // Whether a parse tick has anything to do: bytes in the buffer, or a
    // reply begun earlier that may be complete or stale by now.
    bool hasWork(bool framed) const;
    // No byte has arrived for this long. The search answer is a byte from
    // each sensor, not a frame: only silence tells that it is complete.
    bool quietFor(std::chrono::milliseconds time) const;
    // Whole replies for a page whose replies are frames of these lengths
    // (a table that lives as long as the path, as the pages' tables do).
    // *drained tells how many bytes came out of the buffer on this call.
    QList<QByteArray> takeReplies(const ReplyLengths &lengths, int *drained = nullptr);
    // Everything in the buffer as one block; a reply begun earlier is dropped.
    QByteArray takeRaw();
    void clear();

    const ReplyAssembler &assembler() const { return m_assembler; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    QByteArray drain();
    qint64 now() const;

    RingBuffer *m_buffer;
    ReplyAssembler m_assembler;
    QElapsedTimer m_elapsed;
    Clock m_clock;
    const ReplyLengths *m_lengthsSource = nullptr;
    qint64 m_firstArrival = -1; // of the bytes now in the buffer; -1: none
    qint64 m_lastArrival = 0;
};
