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
};

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

QTEST_GUILESS_MAIN(TestRequestFramer)
#include "tst_requestframer.moc"
