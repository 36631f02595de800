// The angle sensor's decoders, pictures, bucket motion and settings write
// plan, without widgets; the frames on the wire are checked in e2e.

#include "devices/angle/aq420modes.h"
#include "devices/angle/aq420replies.h"
#include "devices/angle/aq420writes.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "link/replyassembler.h"

#include <QtTest>

namespace {
namespace Cmd = Protocol::Command;

// A readings reply with every field at its offset, least significant byte first.
QByteArray readingsReply(quint16 angle, qint32 down, qint32 up, quint8 mode, quint16 delayOn,
                         quint16 delayOff, quint8 address = 4)
{
    QByteArray payload(Aq420Replies::kReadingsLength - 4, '\x5A'); // filler in the unused bytes
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(4, angle, 2);
    put(10, quint32(down), 4);
    put(14, quint32(up), 4);
    put(20, mode, 1);
    put(23, delayOn, 2);
    put(25, delayOff, 2);
    return Frame::reply(address, Cmd::ReadSettings, payload);
}

QByteArray identificationReply(qint32 serial, quint16 firmware, quint8 address = 4)
{
    QByteArray payload;
    for (int i = 0; i < 4; ++i)
        payload.append(char((quint32(serial) >> (8 * i)) & 0xFF));
    payload.append(char(firmware & 0xFF));
    payload.append(char(firmware >> 8));
    return Frame::reply(address, Cmd::ReadIdentification, payload);
}

QByteArray keyed(const QByteArray &data)
{
    return Frame::writeKey() + data;
}

Aq420Settings readBack()
{
    Aq420Settings s;
    s.up = 70;
    s.down = 20;
    s.delayOn = 5;
    s.delayOff = 6;
    s.address = 4;
    s.modeByte = Aq420Modes::kMode1;
    return s;
}
} // namespace

class TestAq420Replies : public QObject
{
    Q_OBJECT

private slots:
    void readingsDecodedAtTheirOffsets()
    {
        const QByteArray reply = readingsReply(0x0123, -5, 0x00010002, 0x11, 0x0102, 0x0304);
        QCOMPARE(reply.size(), Aq420Replies::kReadingsLength);
        const auto r = Aq420Replies::decodeReadings(reply);
        QVERIFY(r);
        QCOMPARE(int(r->angle), 0x0123);
        QCOMPARE(r->down, -5);
        QCOMPARE(r->up, 0x00010002);
        QCOMPARE(int(r->modeByte), 0x11);
        QCOMPARE(int(r->delayOn), 0x0102);
        QCOMPARE(int(r->delayOff), 0x0304);
        // One byte short, the last field would be read past the reply.
        QVERIFY(!Aq420Replies::decodeReadings(reply.left(reply.size() - 1)));
    }

    // Signed serial, firmware digits, the log line.
    void identificationAndLogLine()
    {
        const auto id = Aq420Replies::decodeIdentification(identificationReply(-2, 123));
        QVERIFY(id);
        QCOMPARE(id->serialNumber, -2);
        QCOMPARE(Aq420Replies::firmwareText(1204), QStringLiteral("2.0.4"));
        // The mode goes to the log in decimal.
        const auto r = Aq420Replies::decodeReadings(readingsReply(0, 20, 70, 0x11, 5, 6));
        QCOMPARE(Aq420Replies::connectionText(*id) + Aq420Replies::settingsText(*r),
                 QStringLiteral("Connected AQ420 SerNum=-2,Firmware=1.2.3"
                                "Down=20,Up=70,DelayOn=5,DelayOff=6,Mode=17"));
    }

    // The assembler cuts what one parse tick drained at the lengths the
    // sensor's replies have: an echo, then readings, then identification.
    void repliesCutFromOneBlock()
    {
        const QByteArray echo = Frame::reply(4, Cmd::AngleSetUp);
        const QByteArray readings = readingsReply(10, 0, 90, 0, 0, 0);
        const QByteArray id = identificationReply(7, 101);
        const QList<QByteArray> cut =
            ReplyAssembler::cut(echo + readings + id, Aq420Replies::replyLengths());
        QCOMPARE(cut, (QList<QByteArray>{echo, readings, id}));
    }

    void pictureByModeAndAngle_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("angle");
        QTest::addColumn<QString>("picture");
        // Limits Up 70, Down 20: above Up is up, above Down mid, the rest down.
        QTest::newRow("mode 1 above up") << 0x00 << 71 << "kamazUp.png";
        QTest::newRow("mode 1 at up") << 0x00 << 70 << "kamazMid.png";
        QTest::newRow("mode 1 above down") << 0x00 << 21 << "kamazMid.png";
        QTest::newRow("mode 1 at down") << 0x00 << 20 << "kamazDown.png";
        QTest::newRow("blade above up") << 0x08 << 100 << "otvalUp.png";
        QTest::newRow("blade down") << 0x08 << 0 << "otvalDown.png";
        QTest::newRow("mode 2 at 0") << 0x02 << 0 << "samos0.png";
        QTest::newRow("mode 2 at 1") << 0x02 << 1 << "samos20.png";
        QTest::newRow("mode 2 at 20 keeps") << 0x02 << 20 << "";
        QTest::newRow("mode 2 at 21") << 0x03 << 21 << "samos40.png";
        QTest::newRow("mode 2 at 40 keeps") << 0x02 << 40 << "";
        QTest::newRow("mode 2 at 59") << 0x02 << 59 << "samos60.png";
        QTest::newRow("mode 2 at 60 keeps") << 0x02 << 60 << "";
        QTest::newRow("mode 2 at 61") << 0x02 << 61 << "samos80.png";
        QTest::newRow("bucket: its animation decides") << 0x10 << 50 << "";
        QTest::newRow("unknown mode") << 0x20 << 50 << "";
    }

    void pictureByModeAndAngle()
    {
        QFETCH(int, mode);
        QFETCH(int, angle);
        QFETCH(QString, picture);
        QCOMPARE(Aq420Modes::pictureFor(quint8(mode), angle, 70, 20), picture);
    }

    void bucketMovesByElevenDegrees()
    {
        BucketMotion motion;
        QVERIFY(motion.moving(40)); // from rest at 0
        QVERIFY(!motion.moving(50));
        QVERIFY(motion.moving(61));
        QVERIFY(motion.moving(50)); // downwards as well
        QVERIFY(!motion.moving(40));
        motion.reset();
        QVERIFY(!motion.moving(10));
    }

    // The fields go out in a fixed order, each with the present mode's
    // frame (a blade's delays take one byte), and the expected set holds
    // every edited value. Bucket mode's frames: e2e.
    void planInWriteOrder()
    {
        Aq420Edits edits;
        edits.set(Aq420Field::Address, QStringLiteral("9"));
        edits.set(Aq420Field::DelayOff, QStringLiteral("99"));
        edits.set(Aq420Field::DelayOn, QStringLiteral("12"));
        edits.set(Aq420Field::Up, QStringLiteral("150"));
        Aq420Settings now = readBack();
        now.modeByte = Aq420Modes::kBlade | 0x01; // the master bit does not count
        const Aq420Writes::Plan plan = Aq420Writes::plan(edits, now, 4);
        QCOMPARE(plan.refusal, Aq420Writes::Refusal::None);
        QCOMPARE(plan.steps.size(), 4);
        QCOMPARE(plan.steps.at(0).field, Aq420Field::Up);
        QCOMPARE(plan.steps.at(1).frame, Frame::request(4, 0xE3, keyed(QByteArray::fromHex("0C"))));
        QCOMPARE(plan.steps.at(2).frame, Frame::request(4, 0xE2, keyed(QByteArray::fromHex("63"))));
        QCOMPARE(plan.steps.at(3).field, Aq420Field::Address);
        Aq420Settings expected = now;
        expected.up = 150;
        expected.delayOn = 12;
        expected.delayOff = 99;
        expected.address = 9;
        QVERIFY(plan.expected == expected);
    }

    // A delay the present mode cannot take is sent nowhere, and still
    // expected: the read-back then tells that it was not written.
    void delayOutsideItsModesIsNotReportedWritten()
    {
        Aq420Edits edits;
        edits.set(Aq420Field::DelayOn, QStringLiteral("9"));
        const Aq420Writes::Plan plan = Aq420Writes::plan(edits, readBack(), 4);
        QCOMPARE(plan.refusal, Aq420Writes::Refusal::None);
        QCOMPARE(plan.steps.size(), 1);
        QVERIFY(plan.steps.first().frame.isEmpty());
        QVERIFY(plan.expected != readBack());
        QCOMPARE(plan.expected.delayOn, 9);
    }

    void refusedWrites_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("refusal");
        const int empty = int(Aq420Writes::Refusal::EmptyField);
        const int address = int(Aq420Writes::Refusal::BadAddress);
        const int order = int(Aq420Writes::Refusal::DownAboveUp);
        QTest::newRow("empty down") << int(Aq420Field::Down) << "" << empty;
        QTest::newRow("empty delay") << int(Aq420Field::DelayOff) << " " << empty;
        QTest::newRow("up above 180") << int(Aq420Field::Up) << "181" << empty;
        QTest::newRow("delay above 100") << int(Aq420Field::DelayOn) << "101" << empty;
        QTest::newRow("empty address") << int(Aq420Field::Address) << "" << address;
        QTest::newRow("address 0") << int(Aq420Field::Address) << "0" << address;
        QTest::newRow("address 255") << int(Aq420Field::Address) << "255" << address;
        QTest::newRow("down above up") << int(Aq420Field::Down) << "71" << order;
        QTest::newRow("up below down") << int(Aq420Field::Up) << "19" << order;
        QTest::newRow("down at up") << int(Aq420Field::Down) << "70" << int(Aq420Writes::Refusal::None);
        QTest::newRow("address 254") << int(Aq420Field::Address) << "254" << int(Aq420Writes::Refusal::None);
    }

    void refusedWrites()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, refusal);
        Aq420Edits edits;
        edits.set(Aq420Field::DelayOff, QStringLiteral("8")); // a good field beside it
        edits.set(Aq420Field(field), text);
        const Aq420Writes::Plan plan = Aq420Writes::plan(edits, readBack(), 4);
        QCOMPARE(int(plan.refusal), refusal);
        if (refusal != int(Aq420Writes::Refusal::None))
            QVERIFY(plan.steps.isEmpty()); // nothing of it goes out
    }

    // Limits the sensor already holds in the wrong order do not stop a
    // write that leaves them alone.
    void limitsNotEditedAreNotJudged()
    {
        Aq420Settings now = readBack();
        now.down = 90;
        Aq420Edits edits;
        edits.set(Aq420Field::DelayOn, QStringLiteral("3"));
        QCOMPARE(Aq420Writes::plan(edits, now, 4).refusal, Aq420Writes::Refusal::None);
    }
};

QTEST_GUILESS_MAIN(TestAq420Replies)
#include "tst_aq420replies.moc"
