// The emulated tag reader, read back with the tag page's own decoders and
// fed with its own request builders: what the reader sends must read back
// as what it holds, and what the page sends must change exactly that.
#include "devices/tag/tagcommands.h"
#include "devices/tag/tagreplies.h"
#include "emulator/emulatedtag.h"
#include "emulator/lineconsole.h"
#include "emulator/requestframer.h"
#include "emulator/tagconfig.h"
#include "emulator/virtualline.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace Cmd = Protocol::Command;

namespace {

EmulatedTag tagFrom(const QString &text)
{
    QString error;
    const auto config = TagConfig::parse(text, &error);
    if (!config)
        qFatal("bad test tag reader %s: %s", qPrintable(text), qPrintable(error));
    return EmulatedTag(*config);
}

std::optional<TagReply> ask(EmulatedTag &tag, const QByteArray &request)
{
    const quint8 address = tag.address();
    return TagReplies::decode(tag.handle(request).reply, address);
}

} // namespace

class TestEmulatedTag : public QObject
{
    Q_OBJECT

private slots:
    void repliesReadBackAsHeld()
    {
        EmulatedTag tag = tagFrom(QStringLiteral("tag@7:mode=0,serial=4242,fw=215,id=0xFF"));
        const auto settings = ask(tag, Frame::request(7, Cmd::ReadSettings));
        QVERIFY(settings && settings->kind == TagReply::Kind::Settings);
        QCOMPARE(int(settings->modeByte), 0);
        const auto id = ask(tag, Frame::request(7, Cmd::ReadIdentification));
        QVERIFY(id && id->kind == TagReply::Kind::Identification);
        QCOMPARE(id->identification.serialNumber, 4242);
        QCOMPARE(TagReplies::firmwareText(id->identification.firmware), QStringLiteral("2.1.5"));
        const auto read = ask(tag, TagCommands::readIdentifier(7));
        QVERIFY(read && read->kind == TagReply::Kind::Identifier);
        QCOMPARE(read->identifier, 0xFFu);
        QCOMPARE(tag.identifierReads(), 1);
        // Defaults: a reader, serial number 900000 + address.
        EmulatedTag plain = tagFrom(QStringLiteral("tag@3"));
        QCOMPARE(int(plain.mode()), int(TagConfig::kReaderMode));
        QCOMPARE(plain.serial(), 900003u);
    }

    void takesThePagesCommands()
    {
        EmulatedTag tag = tagFrom(QStringLiteral("tag@7:mode=0"));
        const auto mode = ask(tag, TagCommands::setMode(7, true));
        QVERIFY(mode && mode->kind == TagReply::Kind::Acknowledged);
        QCOMPARE(int(tag.mode()), 1);
        const auto serial = ask(tag, TagCommands::setSerial(7, 123456789));
        QVERIFY(serial && serial->kind == TagReply::Kind::Acknowledged);
        QCOMPARE(tag.serial(), 123456789u);
        const auto set = ask(tag, TagCommands::setIdentifier(7, 0xA1B2C3D4u));
        QVERIFY(set && set->kind == TagReply::Kind::IdentifierSet);
        QCOMPARE(set->identifier, 0xA1B2C3D4u);
        QCOMPARE(tag.identifier(), 0xA1B2C3D4u);

        // A new address is not answered; the reader is found there from then on.
        QVERIFY(tag.handle(TagCommands::setAddress(7, 9)).reply.isEmpty());
        QCOMPARE(int(tag.address()), 9);
        QVERIFY(ask(tag, Frame::request(9, Cmd::ReadSettings)));
        QVERIFY(tag.handle(Frame::request(9, Cmd::SetAddress, QByteArray(1, char(0xFF)))).reply.isEmpty());
        QCOMPARE(int(tag.address()), 9);
    }

    void otherDevicesCommandsChangeNothing()
    {
        // Same codes, other devices: a sensor's keyed settings block, an angle
        // sensor's keyed bucket delay, a keyed address change.
        EmulatedTag tag = tagFrom(QStringLiteral("tag@7:mode=1,id=5"));
        for (const QByteArray &frame :
             {Frame::writeRequest(7, Cmd::WriteSettings, QByteArray::fromHex("0002")),
              Frame::writeRequest(7, Cmd::AngleDelayOffBucket, QByteArray::fromHex("0010")),
              Frame::writeRequest(7, Cmd::SetAddress, QByteArray::fromHex("09")),
              Frame::writeRequest(7, Cmd::EnterPassword, QByteArray::fromHex("00000000"))})
            QVERIFY2(tag.handle(frame).reply.isEmpty(), frame.toHex().constData());
        QCOMPARE(int(tag.mode()), 1);
        QCOMPARE(tag.identifier(), 5u);
        QCOMPARE(int(tag.address()), 7);
    }

    void framerCutsTagAndSensorFramesApart()
    {
        // The reader's bare commands between sensors' keyed ones of the same codes.
        const QList<QByteArray> frames = {
            TagCommands::setMode(7, true),
            Frame::writeRequest(1, Cmd::WriteSettings, QByteArray::fromHex("0002")),
            TagCommands::setIdentifier(7, 0x31313131u),
            Frame::writeRequest(2, Cmd::AngleDelayOffBucket, QByteArray::fromHex("0010")),
            TagCommands::setAddress(7, 8),
            Frame::writeRequest(1, Cmd::SetAddress, QByteArray::fromHex("05")),
            TagCommands::readIdentifier(8),
            TagCommands::setSerial(8, 4242),
        };
        QByteArray stream;
        for (const QByteArray &frame : frames)
            stream += frame;
        RequestFramer framer;
        QCOMPARE(framer.feed(stream), frames);
        // Byte by byte, as a slow line delivers them.
        RequestFramer slow;
        QList<QByteArray> got;
        for (const char byte : stream)
            got += slow.feed(QByteArray(1, byte));
        got += slow.flush();
        QCOMPARE(got, frames);
    }

    void descriptionsAndConsole()
    {
        QString error;
        QVERIFY(!TagConfig::parse(QStringLiteral("tag@7:lamp=3"), &error));
        QVERIFY2(error.contains(QLatin1String("lamp")) && error.contains(QLatin1String("id")),
                 qPrintable(error));
        VirtualLine line;
        QVERIFY(line.addDevices({QStringLiteral("kv510@1"), QStringLiteral("tag@7:id=1")}, &error));
        QVERIFY(!line.addDevice(QStringLiteral("tag@1"), &error)); // the sensor's address
        QVERIFY(line.tag(7));
        LineConsole console(&line);
        QVERIFY(console.execute(QStringLiteral("tagid 7 0xC0FFEE")).ok);
        QCOMPARE(line.tag(7)->identifier(), 0xC0FFEEu);
        QVERIFY(!console.execute(QStringLiteral("tagid 1 5")).ok); // a sensor, no reader
        QVERIFY(!console.execute(QStringLiteral("level 100 7")).ok); // a reader holds no fuel
        QVERIFY(console.execute(QStringLiteral("level 100")).ok);  // every tank there is
        QVERIFY(console.execute(QStringLiteral("state")).output.contains(QLatin1String("\"kind\":\"tag\"")));
    }
};

QTEST_GUILESS_MAIN(TestEmulatedTag)
#include "tst_emulatedtag.moc"
