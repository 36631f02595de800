// The emulated tag reader, fed with the tag page's own request builders next
// to other devices' frames of the same command codes.
#include "devices/tag/tagcommands.h"
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

} // namespace

class TestEmulatedTag : public QObject
{
    Q_OBJECT

private slots:
    // The page's own commands are taken in tst_tag_e2e; these are not its.
    void otherDevicesCommandsChangeNothing()
    {
        // Same codes, other devices: a sensor's keyed settings block, an angle
        // sensor's keyed bucket delay, a keyed address change; and the broadcast address.
        EmulatedTag tag = tagFrom(QStringLiteral("tag@7:mode=1,id=5"));
        for (const QByteArray &frame :
             {Frame::request(7, Cmd::SetAddress, QByteArray(1, char(0xFF))),
              Frame::writeRequest(7, Cmd::WriteSettings, QByteArray::fromHex("0002")),
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
