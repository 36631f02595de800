#include "replyassembler.h"

#include "crc8.h"
#include "protocol.h"

#include <algorithm>
#include <limits>

namespace {
// More than the receive buffer holds: whatever piles up beyond this without
// forming a reply is garbage.
constexpr int kMaxPending = 2048; // bytes
constexpr int kCommandOffset = Protocol::kCommandOffset;
} // namespace

ReplyLengths::ReplyLengths(std::initializer_list<std::pair<quint8, std::vector<int>>> table)
{
    for (const auto &entry : table)
        set(entry.first, entry.second);
}

void ReplyLengths::set(quint8 command, std::vector<int> lengths)
{
    // A frame holds at least prefix, address, command and CRC.
    lengths.erase(std::remove_if(lengths.begin(), lengths.end(),
                                 [](int length) { return length < Protocol::kMinReplyLength; }),
                  lengths.end());
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    m_byCommand[command] = std::move(lengths);
}

bool ReplyLengths::isEmpty() const
{
    return std::all_of(m_byCommand.begin(), m_byCommand.end(),
                       [](const std::vector<int> &lengths) { return lengths.empty(); });
}

ReplyAssembler::ReplyAssembler(ReplyLengths lengths) : m_lengths(std::move(lengths)) {}

void ReplyAssembler::append(const QByteArray &bytes, qint64 firstArrivalMs, qint64 lastArrivalMs)
{
    if (bytes.isEmpty())
        return;
    // Bytes that waited through a long silence cannot be completed by the
    // new ones: read them as they are first. A whole reply kept back in case
    // a longer one was still arriving comes out; the rest is dropped.
    if (!m_pending.isEmpty() && firstArrivalMs - m_lastArrival >= kStaleAfter.count()) {
        const Reading old = read(m_pending, m_lengths, Wait::Stale);
        m_ready += old.replies;
        m_dropped += old.skipped;
        m_pending.clear();
    }
    m_pending.append(bytes);
    m_lastArrival = std::max(m_lastArrival, lastArrivalMs);
    if (m_pending.size() > kMaxPending) {
        const int excess = int(m_pending.size()) - kMaxPending;
        m_dropped += excess;
        m_pending.remove(0, excess);
    }
}

QList<QByteArray> ReplyAssembler::takeReplies(qint64 nowMs)
{
    QList<QByteArray> replies;
    replies.swap(m_ready);
    if (m_pending.isEmpty())
        return replies;
    const qint64 quiet = nowMs - m_lastArrival;
    const Wait wait = quiet >= kStaleAfter.count()  ? Wait::Stale
                      : quiet >= kSettleTime.count() ? Wait::Settled
                                                     : Wait::Settling;
    Reading reading = read(m_pending, m_lengths, wait);
    m_dropped += reading.skipped;
    m_pending = reading.keepFrom >= 0 ? m_pending.mid(reading.keepFrom) : QByteArray();
    return replies + reading.replies;
}

void ReplyAssembler::clear()
{
    m_pending.clear();
    m_ready.clear();
}

QList<QByteArray> ReplyAssembler::cut(const QByteArray &block, const ReplyLengths &lengths)
{
    return read(block, lengths, Wait::Stale).replies;
}

// Reads the bytes as garbage and whole frames, the fewest bytes skipped
// (dynamic programming over byte positions), possibly ending in a reply
// that has begun but not finished.
ReplyAssembler::Reading ReplyAssembler::read(const QByteArray &bytes, const ReplyLengths &lengths,
                                             Wait wait)
{
    const int n = int(bytes.size());
    const auto *b = reinterpret_cast<const quint8 *>(bytes.constData());
    constexpr int kUnreached = std::numeric_limits<int>::max();
    std::vector<int> skipped(size_t(n) + 1, kUnreached);
    std::vector<int> cameFrom(size_t(n) + 1, -1); // start of the step that reached here
    std::vector<bool> byFrame(size_t(n) + 1, false);
    // CRC-8 starts again from 0 after every whole frame, so two replies back
    // to back also close as one longer frame (a 25-byte reply and a 4-byte
    // echo pass as 29 bytes). Of readings that skip as little, the one with
    // more replies is right; one long reply that splits into two valid
    // frames is a far rarer accident.
    std::vector<int> frames(size_t(n) + 1, 0);
    skipped[0] = 0;
    auto reach = [&](int to, int from, int cost, int count, bool frame) {
        const size_t t = size_t(to);
        if (cost < skipped[t] || (cost == skipped[t] && count > frames[t])) {
            skipped[t] = cost;
            frames[t] = count;
            cameFrom[t] = from;
            byFrame[t] = frame;
        }
    };

    auto isStart = [&](int i) { return b[i] == Protocol::kReplyPrefix; };
    // A reply begun at i that more bytes could still complete.
    auto canGrow = [&](int i) {
        if (!isStart(i))
            return false;
        if (i + kCommandOffset >= n)
            return true; // its command code has not arrived yet
        const std::vector<int> &allowed = lengths.of(b[i + kCommandOffset]);
        return !allowed.empty() && i + allowed.back() > n;
    };

    for (int i = 0; i < n; ++i) {
        if (skipped[size_t(i)] == kUnreached)
            continue;
        const int here = skipped[size_t(i)];
        const int count = frames[size_t(i)];
        reach(i + 1, i, here + 1, count, false);
        if (!isStart(i) || i + kCommandOffset >= n)
            continue;
        const std::vector<int> &allowed = lengths.of(b[i + kCommandOffset]);
        for (const int length : allowed) {
            const int end = i + length;
            if (end > n)
                break;
            if (crc8(b + i, length - 1) != b[end - 1])
                continue;
            // Ends exactly where the bytes end, and a longer reply with this
            // code is possible: give the converter time to deliver the rest.
            if (end == n && wait == Wait::Settling && length != allowed.back())
                continue;
            reach(end, i, here, count + 1, true);
        }
    }

    // Where the reading stops: at the end, or at a reply still arriving.
    int stop = n;
    int bestSkipped = skipped[size_t(n)];
    int bestKept = 0;
    if (wait != Wait::Stale) {
        for (int p = 0; p < n; ++p) {
            if (skipped[size_t(p)] == kUnreached || !canGrow(p))
                continue;
            const int kept = n - p;
            const int s = skipped[size_t(p)];
            bool better = false;
            if (wait == Wait::Settling) {
                // Bytes may still come. Of readings that skip as little, keep
                // the most: where the bytes allow two readings (a 29-byte
                // reply, or a 24-byte one and the start of the next), the
                // bytes still to come tell which is right.
                better = s < bestSkipped || (s == bestSkipped && kept > bestKept);
            } else {
                // Quiet for a while: a reply still arriving is unlikely, so
                // keeping bytes costs as much as skipping them.
                const long long cost = (long long)s + kept;
                const long long bestCost = (long long)bestSkipped + bestKept;
                better = cost < bestCost || (cost == bestCost && kept > bestKept);
            }
            if (better) {
                stop = p;
                bestSkipped = s;
                bestKept = kept;
            }
        }
    }

    Reading reading;
    reading.skipped = bestSkipped;
    reading.keepFrom = stop < n ? stop : -1;
    for (int at = stop; at > 0; at = cameFrom[size_t(at)]) {
        if (byFrame[size_t(at)]) {
            const int from = cameFrom[size_t(at)];
            reading.replies.prepend(bytes.mid(from, at - from));
        }
    }
    return reading;
}
