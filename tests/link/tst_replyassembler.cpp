#include "devices/fls/flsreplies.h"
#include "link/crc8.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "link/receivepath.h"
#include "link/replyassembler.h"
#include "link/ringbuffer.h"

#include <QRandomGenerator>
#include <QtTest>

#include <deque>

namespace {
namespace C = Protocol::Command;

// Random payload of a reply of the given length.
QByteArray payloadFor(int length, QRandomGenerator &rng)
{
    QByteArray payload(length - 4, '\0');
    for (char &b : payload)
        b = char(rng.bounded(256));
    return payload;
}

// A readings reply of a KV510 at an address with a temperature and level,
// everything else fixed.
QByteArray kv510Readings(quint8 address, qint8 temperature, quint16 level, qint32 serialLike = 5000)
{
    QByteArray p(21, '\0');
    p[0] = char(temperature);
    p[1] = char(level & 0xFF);
    p[2] = char(level >> 8);
    for (int i = 0; i < 4; ++i)
        p[3 + i] = char((serialLike >> (8 * i)) & 0xFF);
    p[20] = char(0x01); // model byte at offset 23 of a 25-byte reply
    return Frame::reply(address, C::ReadSettings, p);
}

// One random reply of the kinds the poll cycle reads.
QByteArray randomReply(QRandomGenerator &rng)
{
    const quint8 address = quint8(rng.bounded(256));
    switch (rng.bounded(5)) {
    case 0:
    case 1: {
        static const int lengths[] = {24, 25, 29};
        const int length = lengths[rng.bounded(3)];
        return Frame::reply(address, C::ReadSettings, payloadFor(length, rng));
    }
    case 2:
    case 3:
        return Frame::reply(address, C::ReadIdentification, payloadFor(10, rng));
    default:
        return Frame::reply(address, C::ReadTable, payloadFor(84, rng));
    }
}

// The line as a converter delivers it: bytes leave the sensor at 19200 baud
// (10 bits each), the converter hands over what has arrived every 16 ms,
// and the tool's parse tick drains the receive buffer every 50 ms.
class ConverterLine
{
public:
    static constexpr qint64 kByteMicros = 521; // 10 bits at 19200 baud
    static constexpr qint64 kBurstMicros = 16000;
    static constexpr qint64 kTickMicros = 50000;
    static constexpr qint64 kSlowTickMicros = 500000; // several sensors on the line

    explicit ConverterLine(quint32 seed, qint64 tickMicros = kTickMicros)
        : m_rng(seed), m_buffer(1024), m_path(&m_buffer), m_tickMicros(tickMicros)
    {
        m_buffer.setup();
        m_path.setClock([this] { return m_now / 1000; });
        m_burstPhase = m_rng.bounded(int(kBurstMicros));
        m_tickPhase = m_rng.bounded(int(m_tickMicros));
    }

    // Puts bytes on the wire back to back from the given time on.
    void send(const QByteArray &bytes, qint64 startMicros)
    {
        qint64 t = std::max(startMicros, m_wireFree);
        for (const char b : bytes) {
            t += kByteMicros;
            m_wire.push_back({t, b});
        }
        m_wireFree = t;
    }

    // Runs the converter and the parse ticks up to the given time.
    void runUntil(qint64 untilMicros)
    {
        while (true) {
            const qint64 nextBurst = next(m_burstPhase, kBurstMicros);
            const qint64 nextTick = next(m_tickPhase, m_tickMicros);
            const qint64 t = std::min(nextBurst, nextTick);
            if (t > untilMicros)
                break;
            m_now = t;
            if (t == nextBurst) {
                QByteArray delivered;
                while (!m_wire.empty() && m_wire.front().first <= t) {
                    delivered.append(m_wire.front().second);
                    m_wire.pop_front();
                }
                m_path.received(delivered);
            }
            if (t == nextTick && m_path.hasWork(true))
                m_received += m_path.takeReplies(FlsReplies::replyLengths());
        }
        m_now = untilMicros;
    }

    QList<QByteArray> received() const { return m_received; }
    const ReceivePath &path() const { return m_path; }
    QRandomGenerator &rng() { return m_rng; }

private:
    // First multiple of the period after the present time, at the phase.
    qint64 next(qint64 phase, qint64 period) const
    {
        const qint64 k = (m_now - phase) / period + 1;
        return phase + std::max<qint64>(k, 0) * period;
    }

    QRandomGenerator m_rng;
    RingBuffer m_buffer;
    ReceivePath m_path;
    std::deque<std::pair<qint64, char>> m_wire;
    qint64 m_wireFree = 0;
    qint64 m_now = 0;
    qint64 m_burstPhase = 0;
    qint64 m_tickPhase = 0;
    qint64 m_tickMicros;
    QList<QByteArray> m_received;
};
} // namespace

class TestReplyAssembler : public QObject
{
    Q_OBJECT
private slots:
    void cutsAtTheLengthsOfItsCommandOnly()
    {
        const ReplyLengths &lengths = FlsReplies::replyLengths();
        // A KV510 at address 3, 11 °C, level 318: "3E 03 F0 0B 3E 01" holds a
        // second prefix where a running-CRC splitter saw the end of a frame.
        const QByteArray kv510 = kv510Readings(3, 11, 318);
        QCOMPARE(kv510.left(6).toHex(' '), QByteArray("3e 03 f0 0b 3e 01"));
        QCOMPARE(ReplyAssembler::cut(kv510, lengths), QList<QByteArray>{kv510});
        // The same with a count whose bytes close a frame and start another.
        for (qint32 count : {0x3E00003E, 0x013E3E00, 0x3E3E3E3E}) {
            const QByteArray r = kv510Readings(1, 22, 0x3E3E, count);
            QCOMPARE(ReplyAssembler::cut(r, lengths), QList<QByteArray>{r});
        }
        const QByteArray id = Frame::reply(1, C::ReadIdentification,
                                           QByteArrayLiteral("\x3E\x01\xFC\x3E\x3E\x01"));
        const QByteArray echo = Frame::reply(1, C::CalibrateHorizon);
        // kv510 + echo also closes as one 29-byte frame: two replies win.
        QCOMPARE(ReplyAssembler::cut(id + kv510 + echo, lengths),
                 (QList<QByteArray>{id, kv510, echo}));
        // Garbage before and between replies is skipped.
        const QByteArray garbage = QByteArrayLiteral("\x00\x3E\x07\x3E");
        QCOMPARE(ReplyAssembler::cut(garbage + id + garbage + echo, lengths),
                 (QList<QByteArray>{id, echo}));
        // A frame of a code the sensor never sends, a short one, a damaged one.
        QVERIFY(ReplyAssembler::cut(Frame::reply(1, 0x42), lengths).isEmpty());
        QVERIFY(ReplyAssembler::cut(kv510.left(20), lengths).isEmpty());
        QByteArray damaged = kv510;
        damaged[7] = char(damaged[7] ^ 0x10);
        QVERIFY(ReplyAssembler::cut(damaged, lengths).isEmpty());
        QVERIFY(ReplyAssembler::cut({}, lengths).isEmpty());
    }

    void keepsAStartedReplyUntilItCompletesOrGoesStale()
    {
        ReplyAssembler assembler(FlsReplies::replyLengths());
        const QByteArray table = Frame::reply(1, C::ReadTable, QByteArray(80, '\x3E'));
        assembler.append(table.left(31), 0);
        QVERIFY(assembler.takeReplies(50).isEmpty());
        QCOMPARE(assembler.pending(), table.left(31));
        assembler.append(table.mid(31, 31), 60);
        QVERIFY(assembler.takeReplies(100).isEmpty());
        assembler.append(table.mid(62), 110);
        QCOMPARE(assembler.takeReplies(150), QList<QByteArray>{table});
        QVERIFY(!assembler.hasPending());

        // Half a reply followed by silence is dropped after the quiet time.
        assembler.append(table.left(40), 1000);
        QVERIFY(assembler.takeReplies(1050).isEmpty());
        QVERIFY(assembler.hasPending());
        QVERIFY(assembler.takeReplies(1000 + ReplyAssembler::kStaleAfter.count()).isEmpty());
        QVERIFY(!assembler.hasPending());
        QCOMPARE(assembler.droppedBytes(), qint64(40));

        // A stale half does not swallow the next reply's first bytes.
        const QByteArray id = Frame::reply(1, C::ReadIdentification, QByteArray(6, '\x01'));
        assembler.append(table.left(40), 2000);
        assembler.append(id, 2500);
        QCOMPARE(assembler.takeReplies(2510), QList<QByteArray>{id});
    }

    void aReplyALongerOneCouldExtendWaitsToSettle()
    {
        // A 24-byte readings reply may be the start of a 29-byte one whose
        // first 24 bytes happen to close the CRC: it waits for the line to
        // settle before it is taken as it is.
        ReplyAssembler assembler(FlsReplies::replyLengths());
        const QByteArray short24 = Frame::reply(1, C::ReadSettings, QByteArray(20, '\x05'));
        assembler.append(short24, 0);
        QVERIFY(assembler.takeReplies(10).isEmpty());
        QCOMPARE(assembler.takeReplies(ReplyAssembler::kSettleTime.count()),
                 QList<QByteArray>{short24});
        // Followed by the start of the next reply, the rest of that reply
        // tells how the first one ends.
        const QByteArray id = Frame::reply(1, C::ReadIdentification, QByteArray(6, '\x01'));
        assembler.append(short24 + id.left(3), 100);
        QVERIFY(assembler.takeReplies(101).isEmpty());
        assembler.append(id.mid(3), 110);
        QCOMPARE(assembler.takeReplies(111), (QList<QByteArray>{short24, id}));

        // With several sensors the parse tick comes every 500 ms: a reply kept
        // back to settle must survive the silence until the next reply.
        ReplyAssembler slowTicks(FlsReplies::replyLengths());
        const QByteArray r25 = kv510Readings(2, 20, 700);
        slowTicks.append(r25, 1000);
        QVERIFY(slowTicks.takeReplies(1016).isEmpty());
        slowTicks.append(id, 1530);
        QCOMPARE(slowTicks.takeReplies(1546), (QList<QByteArray>{r25, id}));
        QCOMPARE(slowTicks.droppedBytes(), qint64(0));

        // A 29-byte reply whose first 24 bytes close a CRC is not cut there.
        QRandomGenerator rng(7);
        QByteArray long29;
        do {
            long29 = Frame::reply(2, C::ReadSettings, payloadFor(29, rng));
        } while (crc8(long29.left(23)) != quint8(long29.at(23)));
        ReplyAssembler again(FlsReplies::replyLengths());
        again.append(long29.left(24), 0);
        QVERIFY(again.takeReplies(5).isEmpty());
        again.append(long29.mid(24), 16);
        QCOMPARE(again.takeReplies(20), QList<QByteArray>{long29});
    }

    // The receive path keeps the arrival times the assembler reads: a reply
    // drained at one tick and completed at the next comes out whole, a raw
    // block comes out as it is, and silence is measured from the last byte.
    void receivePathKeepsArrivalTimes()
    {
        RingBuffer buffer(1024);
        buffer.setup();
        ReceivePath path(&buffer);
        qint64 now = 0;
        path.setClock([&now] { return now; });
        const QByteArray id = Frame::reply(4, C::ReadIdentification, QByteArray(6, '\x3E'));
        path.received(id.left(5));
        now = 16;
        QVERIFY(!path.quietFor(ReplyAssembler::kSettleTime));
        QVERIFY(path.takeReplies(FlsReplies::replyLengths()).isEmpty());
        QVERIFY(path.hasWork(true));
        QVERIFY(!path.hasWork(false));
        path.received(id.mid(5));
        now = 40;
        QCOMPARE(path.takeReplies(FlsReplies::replyLengths()), QList<QByteArray>{id});
        now = 16 + ReplyAssembler::kSettleTime.count();
        QVERIFY(path.quietFor(ReplyAssembler::kSettleTime));
        path.received(QByteArray::fromHex("0102"));
        path.received(QByteArray::fromHex("03"));
        QCOMPARE(path.takeRaw(), QByteArray::fromHex("010203"));
        // A block that does not fit the buffer is dropped whole.
        path.received(QByteArray(1025, '\x01'));
        QVERIFY(!path.hasWork(false));
    }

    // Random replies (random fields, every address), alone or two or three
    // back to back, or each behind 1 to 4 bytes of garbage (noise, the half
    // reply of a sensor cut off), as a converter delivers them in 16 ms
    // bursts: every reply comes out whole, none is cut, none is made up.
    void everyReplyThroughAConverterComesOutWhole_data()
    {
        QTest::addColumn<qint64>("tickMicros");
        QTest::addColumn<int>("replies");
        QTest::addColumn<bool>("garbage");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("one sensor, 50 ms parse tick")
            << ConverterLine::kTickMicros << 100000 << false << 20261207u;
        QTest::newRow("several sensors, 500 ms parse tick")
            << ConverterLine::kSlowTickMicros << 20000 << false << 20261207u;
        QTest::newRow("garbage before replies") << ConverterLine::kTickMicros << 10000 << true << 4242u;
    }

    void everyReplyThroughAConverterComesOutWhole()
    {
        QFETCH(qint64, tickMicros);
        QFETCH(int, replies);
        QFETCH(bool, garbage);
        QFETCH(quint32, seed);
        // VOLMAR_SEED runs another sample; the default is fixed so a failure repeats.
        bool seeded = false;
        const int otherSeed = qEnvironmentVariableIntValue("VOLMAR_SEED", &seeded);
        ConverterLine line(seeded ? quint32(otherSeed) : seed, tickMicros);
        QList<QByteArray> sent;
        qint64 garbageBytes = 0;
        qint64 at = 0;
        while (sent.size() < replies) {
            QByteArray burst;
            if (garbage) {
                const int junk = 1 + line.rng().bounded(4);
                for (int i = 0; i < junk; ++i)
                    burst.append(char(line.rng().bounded(256)));
                garbageBytes += junk;
            }
            const int together = garbage ? 1 : 1 + line.rng().bounded(3);
            for (int i = 0; i < together; ++i) {
                const QByteArray reply = randomReply(line.rng());
                sent << reply;
                burst += reply;
            }
            // Anywhere in the poll period, so that replies meet the parse
            // tick at every phase.
            line.send(burst, at + line.rng().bounded(garbage ? 40000 : 400000));
            at += 500000; // the next poll tick
            line.runUntil(at);
        }
        line.runUntil(at + 500000);
        const QList<QByteArray> received = line.received();
        for (int i = 0; i < std::min(sent.size(), received.size()); ++i) {
            if (sent.at(i) != received.at(i)) {
                qWarning() << "first difference at" << i << "sent" << sent.at(i).toHex(' ')
                           << "received" << received.at(i).toHex(' ');
                break;
            }
        }
        QCOMPARE(received.size(), sent.size());
        QVERIFY(received == sent);
        QCOMPARE(line.path().assembler().droppedBytes(), garbageBytes);
    }
};

QTEST_APPLESS_MAIN(TestReplyAssembler)
#include "tst_replyassembler.moc"
