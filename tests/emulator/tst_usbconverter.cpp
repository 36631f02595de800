// The converter's timing on a clock the test holds: when the bytes of a reply
// reach the PC, and how many at a time, for the latency timer of an FTDI chip
// (16 ms) and the replies the tool waits for (readings 25 bytes, table 84).
#include "emulator/usbconverter.h"

#include <QtTest>

using namespace std::chrono_literals;

namespace {

using Time = UsbConverter::Time;

QByteArray numbered(int count, int first = 0)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

// Every delivery due by `until`, as (time in microseconds, size) pairs.
QList<QPair<qint64, int>> deliveries(UsbConverter &converter, Time until, QByteArray *bytes = nullptr)
{
    QList<QPair<qint64, int>> out;
    while (const auto delivery = converter.takeDue(until)) {
        out.append({std::chrono::duration_cast<std::chrono::microseconds>(delivery->at).count(),
                    int(delivery->bytes.size())});
        if (bytes)
            bytes->append(delivery->bytes);
    }
    return out;
}

using Expected = QList<QPair<qint64, int>>;

} // namespace

class TestUsbConverter : public QObject
{
    Q_OBJECT

private slots:
    void aByteTakesTenBitsAt19200Baud();
    void readingsReplyStraddlesTwoTicks();
    void readingsReplyWithinOneTick();
    void tableReplyComesInFourBursts();
    void tableReplyRightAfterATick();
    void repliesShareADelivery();
    void nothingIsHandedOverBeforeItsTick();
    void aLateCallerStillGetsOneDeliveryPerTick();
    void ticksCountFromWhenTheConverterStarted();
    void takeAllEmptiesItAtOnce();
};

void TestUsbConverter::aByteTakesTenBitsAt19200Baud()
{
    QCOMPARE(UsbConverter::kByteTime.count(), 520833); // ns, 10 / 19200 s
    UsbConverter converter(16ms, 0ns);
    // The readings reply: 13 ms on the wire; the table reply: 44 ms.
    QCOMPARE(converter.hear(numbered(25), 10ms), Time(10ms) + 25 * UsbConverter::kByteTime);
    QCOMPARE(std::chrono::duration_cast<std::chrono::microseconds>(25 * UsbConverter::kByteTime).count(),
             13020);
    QCOMPARE(std::chrono::duration_cast<std::chrono::microseconds>(84 * UsbConverter::kByteTime).count(),
             43749);
}

void TestUsbConverter::readingsReplyStraddlesTwoTicks()
{
    // The sensor starts 10 ms after the request: by the tick at 16 ms, 11
    // bytes (5.7 ms) are in; the other 14 wait for the tick at 32 ms.
    UsbConverter converter(16ms, 0ns);
    const QByteArray reply = numbered(25);
    converter.hear(reply, 10ms);
    QByteArray got;
    QCOMPARE(deliveries(converter, 1s, &got), (Expected{{16000, 11}, {32000, 14}}));
    QCOMPARE(got, reply);
    QVERIFY(converter.isEmpty());
    QVERIFY(!converter.nextDelivery());
}

void TestUsbConverter::readingsReplyWithinOneTick()
{
    UsbConverter converter(16ms, 0ns);
    converter.hear(numbered(25), 1ms); // last byte at 14.02 ms
    QCOMPARE(deliveries(converter, 1s), (Expected{{16000, 25}}));

    // A byte that is complete exactly on the tick goes with it.
    UsbConverter exact(16ms, 0ns);
    exact.hear(numbered(3), Time(32ms) - 3 * UsbConverter::kByteTime);
    QCOMPARE(deliveries(exact, 1s), (Expected{{32000, 3}}));
}

void TestUsbConverter::tableReplyComesInFourBursts()
{
    // 84 bytes from 10 ms to 53.75 ms: 11 by 16 ms, 42 by 32, 72 by 48, all by 64.
    UsbConverter converter(16ms, 0ns);
    const QByteArray reply = numbered(84);
    converter.hear(reply, 10ms);
    QByteArray got;
    QCOMPARE(deliveries(converter, 1s, &got), (Expected{{16000, 11}, {32000, 31}, {48000, 30}, {64000, 12}}));
    QCOMPARE(got, reply);
}

void TestUsbConverter::tableReplyRightAfterATick()
{
    // Starting on a tick: 30 bytes by the next one (16 ms hold 30.7 byte
    // times), 61 by the one after, the last 23 with the fourth.
    UsbConverter converter(16ms, 0ns);
    converter.hear(numbered(84), 16ms);
    QCOMPARE(deliveries(converter, 1s), (Expected{{32000, 30}, {48000, 31}, {64000, 23}}));
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
    // from 20 ms (last at 33.02), the next 25 right behind them.
    const Time next = converter.hear(numbered(25), 20ms);
    converter.hear(numbered(25, 50), next);
    got.clear();
    // By 32 ms, 23 bytes of the first; the tick at 48 ms brings its last two
    // and all of the second (done at 46.04 ms).
    QCOMPARE(deliveries(converter, 1s, &got), (Expected{{32000, 23}, {48000, 27}}));
    QCOMPARE(got, numbered(25) + numbered(25, 50));
}

void TestUsbConverter::nothingIsHandedOverBeforeItsTick()
{
    UsbConverter converter(16ms, 0ns);
    QVERIFY(!converter.nextDelivery());
    QVERIFY(!converter.takeDue(1s));
    converter.hear(numbered(25), 10ms);
    QCOMPARE(converter.pendingSize(), 25);
    QCOMPARE(converter.nextDelivery().value_or(0ns), Time(16ms));
    QVERIFY(!converter.takeDue(Time(16ms) - 1ns));
    const auto first = converter.takeDue(16ms);
    QVERIFY(first);
    QCOMPARE(first->bytes, numbered(11));
    QCOMPARE(converter.pendingSize(), 14);
    QCOMPARE(converter.nextDelivery().value_or(0ns), Time(32ms));
    QVERIFY(!converter.takeDue(31ms));
}

void TestUsbConverter::aLateCallerStillGetsOneDeliveryPerTick()
{
    // Asked only at 100 ms, the converter still hands over what each tick
    // held, tick by tick, not one lump.
    UsbConverter converter(16ms, 0ns);
    converter.hear(numbered(84), 10ms);
    QCOMPARE(converter.takeDue(100ms)->at, Time(16ms));
    QCOMPARE(converter.takeDue(100ms)->bytes.size(), 31);
    QCOMPARE(converter.takeDue(100ms)->at, Time(48ms));
    QCOMPARE(converter.takeDue(100ms)->bytes.size(), 12);
    QVERIFY(!converter.takeDue(100ms));
}

void TestUsbConverter::ticksCountFromWhenTheConverterStarted()
{
    UsbConverter converter(16ms, 3ms);
    QCOMPARE(converter.period(), 16ms);
    converter.hear(numbered(25), 10ms); // ticks at 19 and 35 ms: 17 bytes, then 8
    QCOMPARE(deliveries(converter, 1s), (Expected{{19000, 17}, {35000, 8}}));
}

void TestUsbConverter::takeAllEmptiesItAtOnce()
{
    UsbConverter converter(16ms, 0ns);
    converter.hear(numbered(84), 10ms);
    QCOMPARE(converter.takeDue(16ms)->bytes, numbered(11));
    QCOMPARE(converter.takeAll(), numbered(84).mid(11));
    QVERIFY(converter.isEmpty());
    QVERIFY(!converter.takeDue(1s));
}

QTEST_GUILESS_MAIN(TestUsbConverter)
#include "tst_usbconverter.moc"
