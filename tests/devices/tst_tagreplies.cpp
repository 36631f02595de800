// The tag reader's decoders and request builders: the reply layouts, the
// identifier in both formats, and the typed fields that must never reach
// the reader as something the engineer did not mean.
#include "devices/tag/tagcommands.h"
#include "devices/tag/tagreplies.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace {
namespace Cmd = Protocol::Command;
constexpr quint8 kAddress = 7;

// A reply of length bytes whose unread bytes are 0xA0 + offset, so a field
// read one byte off comes out wrong.
QByteArray reply(quint8 command, int length, int offset, quint32 value, int width)
{
    QByteArray payload(length - 4, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(0xA0 + i + 3);
    for (int i = 0; i < width; ++i)
        payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    return Frame::reply(kAddress, command, payload);
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
} // namespace

class TestTagReplies : public QObject
{
    Q_OBJECT

private slots:
    void decodesEachKind()
    {
        // Reader and tag mode at offset 20.
        const auto reader = TagReplies::decode(reply(Cmd::ReadSettings, 22, 20, 0x01, 1), kAddress);
        QVERIFY(reader);
        QCOMPARE(reader->kind, TagReply::Kind::Settings);
        QVERIFY(TagReplies::isReaderMode(reader->modeByte));
        const auto tag = TagReplies::decode(reply(Cmd::ReadSettings, 25, 20, 0x00, 1), kAddress);
        QVERIFY(tag && !TagReplies::isReaderMode(tag->modeByte));

        // Serial number signed, firmware after it, least significant byte first.
        QByteArray payload = hex("FEFFFFFF" "D700" "A9");
        const auto id = TagReplies::decode(Frame::reply(kAddress, Cmd::ReadIdentification, payload),
                                           kAddress);
        QVERIFY(id);
        QCOMPARE(id->kind, TagReply::Kind::Identification);
        QCOMPARE(id->identification.serialNumber, -2);
        QCOMPARE(TagReplies::firmwareText(id->identification.firmware), QStringLiteral("2.1.5"));

        // The read identifier sits at offset 4, the one set at offset 3.
        const auto read = TagReplies::decode(reply(Cmd::TagReadIdentifier, 9, 4, 0xC0FFEE11u, 4),
                                             kAddress);
        QVERIFY(read);
        QCOMPARE(read->kind, TagReply::Kind::Identifier);
        QCOMPARE(read->identifier, 0xC0FFEE11u);
        const auto set = TagReplies::decode(reply(Cmd::TagSetIdentifier, 8, 3, 0x000000FFu, 4),
                                            kAddress);
        QVERIFY(set);
        QCOMPARE(set->kind, TagReply::Kind::IdentifierSet);
        QCOMPARE(set->identifier, 0xFFu);

        const auto ack = TagReplies::decode(Frame::reply(kAddress, Cmd::TagAcknowledged), kAddress);
        QVERIFY(ack && ack->kind == TagReply::Kind::Acknowledged);
    }

    void refusesWhatIsNoReplyOfThisReader()
    {
        const QByteArray good = reply(Cmd::ReadSettings, 22, 20, 0x01, 1);
        QVERIFY(TagReplies::decode(good, kAddress));
        QVERIFY(!TagReplies::decode(good, kAddress + 1)); // another reader's
        QByteArray damaged = good;
        damaged[20] = char(0x00);
        QVERIFY(!TagReplies::decode(damaged, kAddress));
        // One byte short of each field read: never read past the end.
        QVERIFY(!TagReplies::decode(reply(Cmd::ReadSettings, 21, 19, 0, 1), kAddress));
        QVERIFY(!TagReplies::decode(Frame::reply(kAddress, Cmd::ReadIdentification, hex("0102030405")),
                                    kAddress));
        QVERIFY(!TagReplies::decode(reply(Cmd::TagReadIdentifier, 8, 3, 0, 4), kAddress));
        QVERIFY(!TagReplies::decode(Frame::reply(kAddress, Cmd::TagSetIdentifier, hex("010203")),
                                    kAddress));
        QVERIFY(!TagReplies::decode(Frame::reply(kAddress, Cmd::SetPassword, hex("01020304")),
                                    kAddress));
        QByteArray request = good;
        request[0] = char(Protocol::kRequestPrefix);
        QVERIFY(!TagReplies::decode(request, kAddress));
    }

    void identifierInBothFormats()
    {
        // FF and 255, and the box ticked and cleared: e2e. The largest:
        QCOMPARE(TagCommands::identifierFromText(QStringLiteral("ff"), false), 255u);
        QCOMPARE(TagCommands::identifierFromText(QStringLiteral("FFFFFFFF"), false), 0xFFFFFFFFu);
        QCOMPARE(TagCommands::identifierFromText(QStringLiteral("4294967295"), true), 0xFFFFFFFFu);
        QCOMPARE(TagCommands::convertIdentifierText(QStringLiteral("ffffffff"), true),
                 QStringLiteral("4294967295"));
        // What holds no identifier stays as typed rather than becoming 0.
        QCOMPARE(TagCommands::convertIdentifierText(QString(), true), QString());
        QCOMPARE(TagCommands::convertIdentifierText(QStringLiteral("99999999999"), false),
                 QStringLiteral("99999999999"));
    }

    void refusesFieldsThatAreNoNumberToSend()
    {
        // Empty, zero, out of four bytes, or not digits: nothing to send.
        for (const char *text : {"", " ", "0", "00", "100000000", "-1", "+5", "0x5", "1 2", "g1"})
            QVERIFY2(!TagCommands::identifierFromText(QLatin1String(text), false), text);
        for (const char *text : {"", "0", "4294967296", "ff", "-1", "1e3"})
            QVERIFY2(!TagCommands::identifierFromText(QLatin1String(text), true), text);
        // A serial number above 2147483647 would come back negative.
        QCOMPARE(TagCommands::serialFromText(QStringLiteral(" 2147483647 ")), 2147483647u);
        for (const char *text : {"", "0", "2147483648", "-5", "12a"})
            QVERIFY2(!TagCommands::serialFromText(QLatin1String(text)), text);
        // 300 must not reach the reader as 44; 0 and 255 are no addresses.
        QCOMPARE(TagCommands::addressFromText(QStringLiteral("254")), quint8(254));
        QCOMPARE(TagCommands::addressFromText(QStringLiteral("1")), quint8(1));
        for (const char *text : {"", "0", "255", "300", "x"})
            QVERIFY2(!TagCommands::addressFromText(QLatin1String(text)), text);
    }

};

QTEST_GUILESS_MAIN(TestTagReplies)
#include "tst_tagreplies.moc"
