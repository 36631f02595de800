#include "emulator/requestframer.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace Cmd = Protocol::Command;

class TestRequestFramer : public QObject
{
    Q_OBJECT

private slots:
    void takenWholeOrCutAnywhere_data();
    void takenWholeOrCutAnywhere();
    void dropsGarbageBeforeAFrame();
    void badCrcYieldsNoFrame();
    void flushTakesWhatHoldsAndDropsTheRest();
    void aShortCandidateFollowedByAFrameIsCutThere_data();
    void aShortCandidateFollowedByAFrameIsCutThere();
};

namespace {

// 0xEA as the tool sends it: "KV_" and the digits typed.
QByteArray nameRequest(const QByteArray &digits)
{
    return Frame::writeRequest(5, Cmd::SetBleName, QByteArray("KV_") + digits);
}

} // namespace

void TestRequestFramer::takenWholeOrCutAnywhere_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("search") << Frame::searchBroadcast();
    QTest::newRow("readings") << Frame::request(1, Cmd::ReadSettings);
    QTest::newRow("settings") << Frame::writeRequest(4, Cmd::WriteSettings, QByteArray("\x02\x05", 2));
    QByteArray table(80, '\x31');
    table.replace(10, 4, Frame::request(1, Cmd::ReadSettings)); // must not be cut out of it
    QTest::newRow("table write") << Frame::writeRequest(1, Cmd::WriteTable, table);
    // Commands of several lengths.
    QTest::newRow("configuration, 8 bytes") << Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x03'));
    QTest::newRow("full value, 11 bytes") << Frame::writeRequest(5, Cmd::ManualFull, Frame::bigEndian32(4000));
    QTest::newRow("name, 11 bytes") << nameRequest("1");
    QTest::newRow("name, 16 bytes") << nameRequest("100001");
    QTest::newRow("name, 26 bytes") << nameRequest("9999999999999999");
}

void TestRequestFramer::takenWholeOrCutAnywhere()
{
    // Whole in one read it is taken at once; cut anywhere, the first part
    // waits and the rest completes it.
    QFETCH(QByteArray, frame);
    RequestFramer whole;
    QCOMPARE(whole.feed(frame), QList<QByteArray>{frame});
    QCOMPARE(whole.pendingSize(), 0);
    QVERIFY(whole.takeDiscarded().isEmpty());
    for (int cut = 1; cut < frame.size(); ++cut) {
        if (Frame::hasValidCrc(frame.left(cut)))
            continue; // a shorter candidate that happens to hold: nothing can tell them apart
        RequestFramer framer;
        QVERIFY2(framer.feed(frame.left(cut)).isEmpty(), qPrintable(QString::number(cut)));
        QCOMPARE(framer.pendingSize(), cut);
        QCOMPARE(framer.feed(frame.mid(cut)), QList<QByteArray>{frame});
        QVERIFY(framer.takeDiscarded().isEmpty());
    }
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

void TestRequestFramer::flushTakesWhatHoldsAndDropsTheRest()
{
    // A stray "31 01 F1" promises an 87-byte table write; the real request
    // behind it is found once the line has gone quiet.
    const QByteArray real = Frame::request(1, Cmd::ReadSettings);
    RequestFramer framer;
    QVERIFY(framer.feed(QByteArray("\x31\x01\xF1", 3) + real).isEmpty());
    QCOMPARE(framer.flush(), QList<QByteArray>{real});
    QCOMPARE(framer.takeDiscarded(), QByteArray("\x31\x01\xF1", 3));

    // A true fragment is thrown away, and the framer starts clean afterwards.
    const QByteArray fragment = Frame::writeRequest(1, Cmd::WriteTable, QByteArray(80, '\0')).left(40);
    QVERIFY(framer.feed(fragment).isEmpty());
    QVERIFY(framer.flush().isEmpty());
    QCOMPARE(framer.pendingSize(), 0);
    QCOMPARE(framer.takeDiscarded(), fragment);
    QCOMPARE(framer.feed(Frame::searchBroadcast()), QList<QByteArray>{Frame::searchBroadcast()});

    // Noise behind a name: a longer name could still end later, so it waits
    // for the quiet, then takes the shortest name whose CRC holds.
    const QByteArray name = nameRequest("10001");
    QVERIFY(framer.feed(name + QByteArray("\x00\x7F", 2)).isEmpty());
    QCOMPARE(framer.flush(), QList<QByteArray>{name});
    QCOMPARE(framer.takeDiscarded(), QByteArray("\x00\x7F", 2));
    QCOMPARE(framer.pendingSize(), 0);
}

void TestRequestFramer::aShortCandidateFollowedByAFrameIsCutThere_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    // Valid frames back to back pass the CRC as one longer candidate too.
    QTest::newRow("15-byte name, readings") << nameRequest("10001") << Frame::request(5, Cmd::ReadSettings);
    const QByteArray configuration = Frame::writeRequest(5, Cmd::ManualFull, QByteArray(1, '\x01'));
    QTest::newRow("configuration, readings") << configuration << Frame::request(6, Cmd::ReadSettings);
    // 11 bytes, as long as a full value.
    QTest::newRow("configuration, search") << configuration << Frame::searchBroadcast();
}

void TestRequestFramer::aShortCandidateFollowedByAFrameIsCutThere()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    RequestFramer framer;
    QCOMPARE(framer.feed(first + second), (QList<QByteArray>{first, second}));
    QCOMPARE(framer.pendingSize(), 0);
}

QTEST_GUILESS_MAIN(TestRequestFramer)
#include "tst_requestframer.moc"
