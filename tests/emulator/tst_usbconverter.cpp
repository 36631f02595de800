// The converter's timing on a clock the test holds: when the bytes of a reply
// reach the PC, and how many at a time, for the latency timer of an FTDI chip
// (16 ms) and the replies the tool waits for (readings 25 bytes, table 84).
#include "emulator/usbconverter.h"

#include <QtTest>

using namespace std::chrono_literals;

namespace {

using Time = UsbConverter::Time;
using Expected = QList<QPair<qint64, int>>; // (time in microseconds, size)

QByteArray numbered(int count, int first = 0)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

// Every delivery due by `until`, taken by one late caller.
Expected deliveries(UsbConverter &converter, Time until, QByteArray *bytes = nullptr)
{
    Expected out;
    while (const auto delivery = converter.takeDue(until)) {
        out.append({std::chrono::duration_cast<std::chrono::microseconds>(delivery->at).count(),
                    int(delivery->bytes.size())});
        if (bytes)
            bytes->append(delivery->bytes);
    }
    return out;
}

} // namespace

class TestUsbConverter : public QObject
{
    Q_OBJECT

private slots:
    void oneReplyComesInItsBursts_data();
    void oneReplyComesInItsBursts();
    void repliesShareADelivery();
    void nothingIsHandedOverBeforeItsTick();
};

void TestUsbConverter::oneReplyComesInItsBursts_data()
{
    QTest::addColumn<int>("originMs");    // when the converter started
    QTest::addColumn<qint64>("startNs");  // when the reply's first byte began
    QTest::addColumn<int>("size");
    QTest::addColumn<Expected>("expected");
    // 10 / 19200 s a byte: by the tick at 16 ms, 11 bytes (5.7 ms) are in.
    QTest::newRow("readings straddle two ticks") << 0 << qint64(10000000) << 25
                                                 << Expected{{16000, 11}, {32000, 14}};
    QTest::newRow("readings within one tick") << 0 << qint64(1000000) << 25 << Expected{{16000, 25}};
    // A byte complete exactly on the tick goes with it.
    QTest::newRow("ending on the tick") << 0 << qint64(32000000 - 3 * 520833) << 3 << Expected{{32000, 3}};
    QTest::newRow("table in four bursts") << 0 << qint64(10000000) << 84
                                          << Expected{{16000, 11}, {32000, 31}, {48000, 30}, {64000, 12}};
    QTest::newRow("table right after a tick") << 0 << qint64(16000000) << 84
                                              << Expected{{32000, 30}, {48000, 31}, {64000, 23}};
    QTest::newRow("ticks count from the start") << 3 << qint64(10000000) << 25
                                                << Expected{{19000, 17}, {35000, 8}};
}

void TestUsbConverter::oneReplyComesInItsBursts()
{
    QFETCH(int, originMs);
    QFETCH(qint64, startNs);
    QFETCH(int, size);
    QFETCH(Expected, expected);
    UsbConverter converter(16ms, std::chrono::milliseconds(originMs));
    const QByteArray reply = numbered(size);
    const Time start(startNs);
    QCOMPARE(converter.hear(reply, start), start + size * UsbConverter::kByteTime);
    QByteArray got;
    QCOMPARE(deliveries(converter, 1s, &got), expected);
    QCOMPARE(got, reply);
    QVERIFY(converter.isEmpty());
    QVERIFY(!converter.nextDelivery());
}

void TestUsbConverter::repliesShareADelivery()
{
    UsbConverter converter(16ms, 0ns);
    // Two sensors answer one after the other: 10 bytes from 0 ms, 10 from 6 ms.
    const Time second = converter.hear(numbered(10), 0ns) + 1ms;
    converter.hear(numbered(10, 100), second);
    QByteArray got;
    QCOMPARE(deliveries(converter, 1s, &got), (Expected{{16000, 20}}));
    QCOMPARE(got, numbered(10) + numbered(10, 100));

    // The end of one reply and the start of the next in one burst: 25 bytes
    // from 20 ms (last at 33.02), the next 25 right behind them. By 32 ms,
    // 23 bytes of the first; the tick at 48 ms brings the rest.
    const Time next = converter.hear(numbered(25), 20ms);
    converter.hear(numbered(25, 50), next);
    got.clear();
    QCOMPARE(deliveries(converter, 1s, &got), (Expected{{32000, 23}, {48000, 27}}));
    QCOMPARE(got, numbered(25) + numbered(25, 50));
}

void TestUsbConverter::nothingIsHandedOverBeforeItsTick()
{
    UsbConverter converter(16ms, 0ns);
    QVERIFY(!converter.nextDelivery());
    QVERIFY(!converter.takeDue(1s));
    converter.hear(numbered(84), 10ms);
    QCOMPARE(converter.pendingSize(), 84);
    QCOMPARE(converter.nextDelivery().value_or(0ns), Time(16ms));
    QVERIFY(!converter.takeDue(Time(16ms) - 1ns));
    QCOMPARE(converter.takeDue(16ms)->bytes, numbered(11));
    QCOMPARE(converter.pendingSize(), 73);
    QCOMPARE(converter.nextDelivery().value_or(0ns), Time(32ms));
    QVERIFY(!converter.takeDue(31ms));
    // Taking all empties it at once.
    QCOMPARE(converter.takeAll(), numbered(84).mid(11));
    QVERIFY(converter.isEmpty());
    QVERIFY(!converter.takeDue(1s));
}

QTEST_GUILESS_MAIN(TestUsbConverter)
#include "tst_usbconverter.moc"
