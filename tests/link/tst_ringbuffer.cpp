#include "link/ringbuffer.h"
#include "link/ringbufferint32.h"

#include <QtTest>

#include <vector>

class TestRingBuffer : public QObject
{
    Q_OBJECT
private slots:
    void fillsExactlyAndRefusesOverflowWhole()
    {
        RingBuffer ring(1024);
        QVERIFY(ring.setup());
        std::vector<quint8> block(1025, 0xAB);
        QVERIFY(!ring.write(block.data(), 1025));
        QCOMPARE(ring.count(), 0u);
        QVERIFY(ring.write(block.data(), 1024));
        QCOMPARE(ring.count(), 1024u);
        QCOMPARE(ring.freeSpace(), 0u);
        QVERIFY(!ring.write(block.data(), 1));
        QCOMPARE(ring.count(), 1024u);
    }

    void keepsOrderAcrossTheWrap()
    {
        RingBuffer ring(8);
        QVERIFY(ring.setup());
        const quint8 first[6] = {1, 2, 3, 4, 5, 6};
        QVERIFY(ring.write(first, 6));
        quint8 out[8] = {};
        QVERIFY(ring.read(out, 5));
        const quint8 second[7] = {7, 8, 9, 10, 11, 12, 13};
        QVERIFY(ring.write(second, 7)); // wraps past the end of the storage
        QVERIFY(!ring.read(out, 9));    // refuses to read more than stored
        QCOMPARE(ring.count(), 8u);
        QVERIFY(ring.read(out, 8));
        const quint8 expected[8] = {6, 7, 8, 9, 10, 11, 12, 13};
        QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 8),
                 QByteArray(reinterpret_cast<const char *>(expected), 8));
        QCOMPARE(ring.count(), 0u);
        QVERIFY(ring.write(second, 7));
        ring.clear();
        QCOMPARE(ring.count(), 0u);
        QCOMPARE(ring.freeSpace(), 8u);
    }

    void capacityMustBeAPowerOfTwo()
    {
        RingBuffer odd(1000);
        QVERIFY(!odd.setup());
        const quint8 b = 1;
        QVERIFY(!odd.write(&b, 1)); // unusable, but never writes out of bounds
        QCOMPARE(odd.freeSpace(), 0u);
        RingBuffer zero(0);
        QVERIFY(!zero.setup());
    }

    void meanOfCounts()
    {
        RingBufferInt32 window(8);
        QVERIFY(window.setup());
        QCOMPARE(window.mean(), 0.0);
        for (qint32 v : {100, 200, 300})
            window.put(v);
        QCOMPARE(window.mean(), 200.0);
        window.get(); // drop the oldest
        QCOMPARE(window.mean(), 250.0);
        // Counts near the limit must not overflow the sum.
        RingBufferInt32 big(8);
        QVERIFY(big.setup());
        for (int i = 0; i < 8; ++i)
            big.put(2147483000);
        QCOMPARE(big.mean(), 2147483000.0);
        RingBufferInt32 negative(2);
        QVERIFY(negative.setup());
        negative.put(-5);
        negative.put(-6);
        QCOMPARE(negative.mean(), -5.5);
    }
};

QTEST_APPLESS_MAIN(TestRingBuffer)
#include "tst_ringbuffer.moc"
