#include "link/crc8.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

class TestFrame : public QObject
{
    Q_OBJECT
private slots:
    void crcCheckValueAndEdges()
    {
        QCOMPARE(int(crc8(QByteArrayLiteral("123456789"))), 0xA1);
        QCOMPARE(int(crc8(QByteArray())), 0);
        QCOMPARE(int(crc8(nullptr, 5)), 0);
        const quint8 one = 0x01;
        QCOMPARE(int(crc8(&one, 0)), 0);
        QCOMPARE(int(crc8(&one, -3)), 0);
        // A frame closed with its CRC checks to zero.
        QByteArray frame = QByteArrayLiteral("\x3E\x01\xF0\x10\x20");
        frame.append(char(crc8(frame)));
        QCOMPARE(int(crc8(frame)), 0);
    }

    void requestLayout()
    {
        QCOMPARE(Frame::searchBroadcast().toHex(), QByteArray("31ffdc"));
        QCOMPARE(Frame::request(0x05, Protocol::Command::ReadSettings).toHex(), QByteArray("3105f0fe"));
        // High bytes travel as bytes, not as characters.
        QCOMPARE(Frame::request(0xC8, 0xF7, QByteArrayLiteral("\x80\xFF\x00\x7F")).toHex(),
                 QByteArray("31c8f780ff007f52"));
        const QByteArray frame = Frame::writeRequest(1, Protocol::Command::SetAddress,
                                                     QByteArray(1, char(7)));
        QCOMPARE(frame.size(), 3 + 3 + 1 + 1);
        QCOMPARE(frame.mid(3, 3), Frame::writeKey()); // the key first
        QCOMPARE(quint8(frame.at(6)), quint8(7));
        QVERIFY(Frame::hasValidCrc(frame));
        QCOMPARE(Frame::bigEndian16(0x1234).toHex(), QByteArray("1234"));
        QCOMPARE(Frame::bigEndian32(0x01020304u).toHex(), QByteArray("01020304"));
        QCOMPARE(Frame::bigEndian32(4000).toHex(), QByteArray("00000fa0"));
    }

    void replyAcceptance_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<int>("verdict");
        const QByteArray good = Frame::reply(3, 0xFC, QByteArrayLiteral("\x01\x02\x03\x04\x05\x06"));
        QByteArray badCrc = good;
        badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
        QByteArray notReply = good;
        notReply[0] = 0x31;
        QTest::newRow("accepted") << good << int(Frame::Verdict::Accepted);
        QTest::newRow("bad crc") << badCrc << int(Frame::Verdict::BadCrc);
        QTest::newRow("not a reply") << notReply << int(Frame::Verdict::NotAReply);
        QTest::newRow("other address") << Frame::reply(4, 0xFC, QByteArray(6, '\0'))
                                       << int(Frame::Verdict::OtherAddress);
        QTest::newRow("empty") << QByteArray() << int(Frame::Verdict::TooShort);
        QTest::newRow("prefix only") << QByteArray(1, '>') << int(Frame::Verdict::TooShort);
        // Note: two whole replies back to back pass the CRC (a zero-initial
        // CRC over a closed frame is 0), so only decoders' length checks can
        // refuse such a block.
        QTest::newRow("two replies back to back") << good + good << int(Frame::Verdict::Accepted);
        QTest::newRow("split reply, first half") << good.left(5) << int(Frame::Verdict::BadCrc);
    }

    void replyAcceptance()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, verdict);
        QCOMPARE(int(Frame::check(block, 3)), verdict);
    }
};

QTEST_APPLESS_MAIN(TestFrame)
#include "tst_frame.moc"
