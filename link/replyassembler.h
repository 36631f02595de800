#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <initializer_list>
#include <utility>
#include <vector>

// The lengths a reply may have, by the command code it echoes. Sensor
// replies carry no length field: the command byte at offset 2 is all that
// tells how long the frame is.
class ReplyLengths
{
public:
    ReplyLengths() = default;
    ReplyLengths(std::initializer_list<std::pair<quint8, std::vector<int>>> table);

    void set(quint8 command, std::vector<int> lengths);
    // Ascending; empty when no reply carries this code.
    const std::vector<int> &of(quint8 command) const { return m_byCommand[command]; }
    bool isEmpty() const;

private:
    std::array<std::vector<int>, 256> m_byCommand;
};

// Cuts the bytes a converter delivers into whole replies. Converters hand
// bytes over in bursts (an FTDI chip every 16 ms), so a reply can straddle
// two parse ticks and two replies can share one. The assembler cuts only at
// the lengths a reply with that command code may have and only where the
// CRC closes the frame; of several ways to read the bytes it takes the one
// that skips the fewest bytes as garbage. Bytes that can still become a
// reply are kept for the next tick, until the line has been quiet too long.
//
// Times are milliseconds on any monotonic clock; the assembler never reads
// a clock itself, so it is tested with made-up times.
class ReplyAssembler
{
public:
    using Milliseconds = std::chrono::milliseconds;
    // A reply never pauses this long: a converter delivers at least every
    // 16 ms while bytes arrive. Incomplete bytes older than this are dropped.
    static constexpr Milliseconds kStaleAfter{100};
    // A whole frame that a longer reply of the same code could still extend
    // waits this long for more bytes before it is taken as it is.
    static constexpr Milliseconds kSettleTime{30};

    explicit ReplyAssembler(ReplyLengths lengths = {});

    void setLengths(const ReplyLengths &lengths) { m_lengths = lengths; }
    const ReplyLengths &lengths() const { return m_lengths; }

    // Bytes drained from the receive buffer: the first of them arrived at
    // firstArrivalMs, the last at lastArrivalMs.
    void append(const QByteArray &bytes, qint64 firstArrivalMs, qint64 lastArrivalMs);
    void append(const QByteArray &bytes, qint64 arrivalMs) { append(bytes, arrivalMs, arrivalMs); }

    // Every reply complete at nowMs, in the order received. Garbage between
    // replies is skipped; a started reply stays pending.
    QList<QByteArray> takeReplies(qint64 nowMs);

    bool hasPending() const { return !m_pending.isEmpty() || !m_ready.isEmpty(); }
    QByteArray pending() const { return m_pending; }
    // Bytes skipped as garbage or dropped as stale since construction.
    qint64 droppedBytes() const { return m_dropped; }
    void clear();

    // The replies in one block taken as a whole, with nothing kept for later:
    // what a caller that hands over finished blocks needs.
    static QList<QByteArray> cut(const QByteArray &block, const ReplyLengths &lengths);

private:
    enum class Wait { Settling, Settled, Stale };
    struct Reading {
        QList<QByteArray> replies;
        int keepFrom = -1; // index of the first byte kept pending, -1: none
        int skipped = 0;
    };
    static Reading read(const QByteArray &bytes, const ReplyLengths &lengths, Wait wait);

    ReplyLengths m_lengths;
    QByteArray m_pending;
    QList<QByteArray> m_ready; // read out of stale bytes, not yet taken
    qint64 m_lastArrival = 0;
    qint64 m_dropped = 0;
};
