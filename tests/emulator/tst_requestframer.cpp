#include "emulator/requestframer.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace Cmd = Protocol::Command;

class TestRequestFramer : public QObject
{
    Q_OBJECT

private slots:
    void takesEveryRequestTheToolSends_data();
    void takesEveryRequestTheToolSends();
    void dropsGarbageBeforeAFrame();
    void joinsAFrameSplitAcrossReads();
    void separatesTwoFramesInOneRead();
    void badCrcYieldsNoFrame();
    void flushRecoversAFrameBehindAFalseStart();
    void flushDiscardsATrueFragment();
    void payloadBytesThatLookLikeAFrameStayInside();
    void aCommandOfSeveralLengthsIsTakenWhereTheBytesEnd_data();
    void aCommandOfSeveralLengthsIsTakenWhereTheBytesEnd();
    void aNameFollowedByAnotherFrameInOneRead();
    void aShortConfigurationFollowedByAFrameIsTakenAtOnce();
};

namespace {

// 0xEA as the tool sends it: "KV_" and the digits typed.
QByteArray nameRequest(const QByteArray &digits)
{
    return Frame::writeRequest(5, Cmd::SetBleName, QByteArray("KV_") + digits);
}

} // namespace

void TestRequestFramer::takesEveryRequestTheToolSends_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("length");
    QTest::newRow("search") << Frame::searchBroadcast() << 3;
    QTest::newRow("readings") << Frame::request(1, Cmd::ReadSettings) << 4;
    QTest::newRow("identification") << Frame::request(1, Cmd::ReadIdentification) << 4;
    QTest::newRow("table read") << Frame::request(1, Cmd::ReadTable) << 4;
    QTest::newRow("settings") << Frame::writeRequest(1, Cmd::WriteSettings, QByteArray("\x80\x03", 2)) << 9;
    QTest::newRow("address") << Frame::writeRequest(1, Cmd::SetAddress, QByteArray(1, '\x05')) << 8;
    QTest::newRow("serial flag") << Frame::writeRequest(1, Cmd::SendSerialNumber, QByteArray(1, '\x10')) << 8;
    QTest::newRow("reset") << Frame::writeRequest(1, Cmd::Reset) << 7;
    QTest::newRow("set full") << Frame::writeRequest(1, Cmd::SetFull) << 7;
    QTest::newRow("set empty") << Frame::writeRequest(1, Cmd::SetEmpty) << 7;
    QTest::newRow("horizon") << Frame::writeRequest(1, Cmd::CalibrateHorizon) << 7;
    QTest::newRow("alarm level") << Frame::writeRequest(1, Cmd::SetAlarmLevel, QByteArray(1, '\x2C')) << 8;
    QTest::newRow("password") << Frame::writeRequest(1, Cmd::SetPassword, Frame::bigEndian32(1234)) << 11;
    QTest::newRow("enter password") << Frame::writeRequest(1, Cmd::EnterPassword, Frame::bigEndian32(1)) << 11;
    QTest::newRow("manual empty") << Frame::writeRequest(1, Cmd::ManualEmpty, Frame::bigEndian32(100)) << 11;
    QTest::newRow("manual full") << Frame::writeRequest(1, Cmd::ManualFull, Frame::bigEndian32(4000)) << 11;
    QTest::newRow("base configuration") << Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x07')) << 8;
    QTest::newRow("name, one digit") << nameRequest("7") << 11;
    QTest::newRow("name, sixteen digits") << nameRequest("1234567890123456") << 26;
    QTest::newRow("table write") << Frame::writeRequest(1, Cmd::WriteTable, QByteArray(80, '\x31')) << 87;
}

void TestRequestFramer::takesEveryRequestTheToolSends()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, length);
    QCOMPARE(int(frame.size()), length);
    RequestFramer framer;
    QCOMPARE(framer.feed(frame), QList<QByteArray>{frame});
    QCOMPARE(framer.pendingSize(), 0);
    QVERIFY(framer.takeDiscarded().isEmpty());
}

void TestRequestFramer::dropsGarbageBeforeAFrame()
{
    // Noise: a prefix byte, a fake readings request with a bad CRC, and a
    // header cut short whose claimed length reaches into the real frame.
    const QByteArray frame = Frame::request(2, Cmd::ReadSettings);
    QByteArray fake = Frame::request(2, Cmd::ReadSettings);
    fake[3] = char(fake.at(3) ^ 0x55);
    const QByteArray garbage = QByteArray("\x00\x7F\x31\xA5", 4) + fake + QByteArray("\x31\x02\xFC", 3);

    RequestFramer framer;
    QCOMPARE(framer.feed(garbage + frame), QList<QByteArray>{frame});
    QCOMPARE(framer.takeDiscarded(), garbage);
    QCOMPARE(framer.pendingSize(), 0);
}

void TestRequestFramer::joinsAFrameSplitAcrossReads()
{
    const QByteArray frame = Frame::writeRequest(4, Cmd::WriteSettings, QByteArray("\x02\x05", 2));
    for (int cut = 1; cut < frame.size(); ++cut) {
        RequestFramer framer;
        QVERIFY2(framer.feed(frame.left(cut)).isEmpty(), qPrintable(QString::number(cut)));
        QCOMPARE(framer.pendingSize(), cut);
        QCOMPARE(framer.feed(frame.mid(cut)), QList<QByteArray>{frame});
        QVERIFY(framer.takeDiscarded().isEmpty());
    }
}

void TestRequestFramer::separatesTwoFramesInOneRead()
{
    const QByteArray first = Frame::request(1, Cmd::ReadSettings);
    const QByteArray second = Frame::writeRequest(1, Cmd::ManualFull, Frame::bigEndian32(4000));
    RequestFramer framer;
    QCOMPARE(framer.feed(first + second + Frame::searchBroadcast()),
             (QList<QByteArray>{first, second, Frame::searchBroadcast()}));
}

void TestRequestFramer::badCrcYieldsNoFrame()
{
    for (const QByteArray &good : {Frame::searchBroadcast(), Frame::request(1, Cmd::ReadIdentification),
                                   Frame::writeRequest(1, Cmd::SetFull)}) {
        QByteArray bad = good;
        bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x01);
        RequestFramer framer;
        QVERIFY(framer.feed(bad).isEmpty());
        QCOMPARE(framer.pendingSize() + int(framer.takeDiscarded().size()), int(bad.size()));
        QVERIFY(framer.flush().isEmpty());
        QCOMPARE(framer.pendingSize(), 0);
    }
}

void TestRequestFramer::flushRecoversAFrameBehindAFalseStart()
{
    // A stray "31 01 F1" promises an 87-byte table write; the real request
    // behind it is found once the line has gone quiet.
    const QByteArray real = Frame::request(1, Cmd::ReadSettings);
    RequestFramer framer;
    QVERIFY(framer.feed(QByteArray("\x31\x01\xF1", 3) + real).isEmpty());
    QCOMPARE(framer.flush(), QList<QByteArray>{real});
    QCOMPARE(framer.takeDiscarded(), QByteArray("\x31\x01\xF1", 3));
}

void TestRequestFramer::flushDiscardsATrueFragment()
{
    const QByteArray fragment = Frame::writeRequest(1, Cmd::WriteTable, QByteArray(80, '\0')).left(40);
    RequestFramer framer;
    QVERIFY(framer.feed(fragment).isEmpty());
    QVERIFY(framer.flush().isEmpty());
    QCOMPARE(framer.pendingSize(), 0);
    QCOMPARE(framer.takeDiscarded(), fragment);
    // The framer starts clean afterwards.
    QCOMPARE(framer.feed(Frame::searchBroadcast()), QList<QByteArray>{Frame::searchBroadcast()});
}

void TestRequestFramer::payloadBytesThatLookLikeAFrameStayInside()
{
    // Table data that contains a complete readings request must not be cut out of it.
    const QByteArray inner = Frame::request(1, Cmd::ReadSettings);
    QByteArray table(80, '\0');
    table.replace(10, inner.size(), inner);
    const QByteArray frame = Frame::writeRequest(1, Cmd::WriteTable, table);
    RequestFramer framer;
    QCOMPARE(framer.feed(frame), QList<QByteArray>{frame});
}

void TestRequestFramer::aCommandOfSeveralLengthsIsTakenWhereTheBytesEnd_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("configuration, 8 bytes") << Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x03'));
    QTest::newRow("full value, 11 bytes") << Frame::writeRequest(5, Cmd::ManualFull, Frame::bigEndian32(4000));
    QTest::newRow("name, 11 bytes") << nameRequest("1");
    QTest::newRow("name, 16 bytes") << nameRequest("100001");
    QTest::newRow("name, 26 bytes") << nameRequest("9999999999999999");
}

void TestRequestFramer::aCommandOfSeveralLengthsIsTakenWhereTheBytesEnd()
{
    // Whole in one read it is taken at once; cut anywhere, the first part
    // waits (its CRC does not hold) and the rest completes it.
    QFETCH(QByteArray, frame);
    RequestFramer whole;
    QCOMPARE(whole.feed(frame), QList<QByteArray>{frame});
    QCOMPARE(whole.pendingSize(), 0);
    for (int cut = 1; cut < frame.size(); ++cut) {
        RequestFramer framer;
        if (Frame::hasValidCrc(frame.left(cut)))
            continue; // a shorter candidate that happens to hold: nothing can tell them apart
        QVERIFY2(framer.feed(frame.left(cut)).isEmpty(), qPrintable(QString::number(cut)));
        QCOMPARE(framer.feed(frame.mid(cut)), QList<QByteArray>{frame});
        QVERIFY(framer.takeDiscarded().isEmpty());
    }
}

void TestRequestFramer::aNameFollowedByAnotherFrameInOneRead()
{
    // 15 bytes of name and a readings request: 19 bytes whose CRC holds as
    // one longer name too (valid frames back to back always do). The request
    // starting behind the shorter candidate cuts it there.
    const QByteArray name = nameRequest("10001");
    const QByteArray poll = Frame::request(5, Cmd::ReadSettings);
    QVERIFY(Frame::hasValidCrc(name + poll));
    RequestFramer framer;
    QCOMPARE(framer.feed(name + poll), (QList<QByteArray>{name, poll}));
    QCOMPARE(framer.pendingSize(), 0);

    // Noise behind it instead: a longer name could still end later, so it
    // waits for the quiet, then takes the shortest name whose CRC holds.
    QVERIFY(framer.feed(name + QByteArray("\x00\x7F", 2)).isEmpty());
    QCOMPARE(framer.flush(), QList<QByteArray>{name});
    QCOMPARE(framer.takeDiscarded(), QByteArray("\x00\x7F", 2));
    QCOMPARE(framer.pendingSize(), 0);
}

void TestRequestFramer::aShortConfigurationFollowedByAFrameIsTakenAtOnce()
{
    // The 8-byte configuration and a request behind it, in one read.
    const QByteArray configuration = Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x01'));
    const QByteArray poll = Frame::request(6, Cmd::ReadSettings);
    RequestFramer framer;
    QCOMPARE(framer.feed(configuration + poll), (QList<QByteArray>{configuration, poll}));
    // With a search behind it is 11 bytes, as long as a full value, and its CRC holds.
    QCOMPARE(framer.feed(configuration + Frame::searchBroadcast()),
             (QList<QByteArray>{configuration, Frame::searchBroadcast()}));
    QCOMPARE(framer.pendingSize(), 0);
}

QTEST_GUILESS_MAIN(TestRequestFramer)
#include "tst_requestframer.moc"
