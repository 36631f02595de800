// The emulated angle sensor, read back with the angle page's own decoders
// and fed with its own frame builders: what the sensor sends must read back
// as what it holds, and what the page sends must change exactly that.
#include "devices/angle/aq420replies.h"
#include "devices/angle/aq420writes.h"
#include "emulator/aq420config.h"
#include "emulator/emulatedaq420.h"
#include "emulator/lineconsole.h"
#include "emulator/requestframer.h"
#include "emulator/virtualline.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace Cmd = Protocol::Command;

namespace {

EmulatedAq420 sensorFrom(const QString &text)
{
    QString error;
    const auto config = Aq420Config::parse(text, &error);
    if (!config)
        qFatal("bad test angle sensor %s: %s", qPrintable(text), qPrintable(error));
    return EmulatedAq420(*config);
}

Aq420Readings readings(EmulatedAq420 &sensor)
{
    const QByteArray reply = sensor.handle(Frame::request(sensor.address(), Cmd::ReadSettings)).reply;
    if (reply.size() != Aq420Replies::kReadingsLength || !Frame::hasValidCrc(reply))
        qFatal("readings reply of %d bytes", int(reply.size()));
    return *Aq420Replies::decodeReadings(reply);
}

} // namespace

class TestEmulatedAq420 : public QObject
{
    Q_OBJECT

private slots:
    void descriptionsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown key") << "aq420@4:level=5";
        QTest::newRow("limit above 180") << "aq420@4:up=181";
        QTest::newRow("angle above 359") << "aq420@4:angle=360";
        QTest::newRow("frozen not a flag") << "aq420@4:frozen=2";
        QTest::newRow("address 255") << "aq420@255";
    }

    void descriptionsRefused()
    {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!Aq420Config::parse(text, &error));
        QVERIFY(error.contains(text));
    }

    // The page's usual frames are taken in tst_aq420_e2e; here, the one-byte
    // delays, the zero point's floor and a refused address.
    void theFramesOfThePageTakeEffect()
    {
        EmulatedAq420 sensor = sensorFrom(QStringLiteral("aq420@4:angle=35"));
        const auto send = [&sensor](const QByteArray &frame) {
            const QByteArray echo = sensor.handle(frame).reply;
            QCOMPARE(echo, Frame::reply(sensor.address(), quint8(frame.at(2))));
        };
        send(Aq420Writes::fieldFrame(Aq420Field::DelayOn, 4, 0x08, 100));
        send(Aq420Writes::fieldFrame(Aq420Field::DelayOff, 4, 0x08, 99));
        QCOMPARE(int(readings(sensor).delayOn), 100);
        QCOMPARE(int(readings(sensor).delayOff), 99);
        // Zero: the present position reads 0, and never below it.
        send(Aq420Writes::zeroFrame(4));
        sensor.setPosition(20);
        QCOMPARE(int(readings(sensor).angle), 0);
        QVERIFY(sensor.handle(Aq420Writes::fieldFrame(Aq420Field::Address, 4, 0, 255)).reply.isEmpty());
        QCOMPARE(int(sensor.address()), 4);
    }

    void framesNotForItAreIgnored()
    {
        EmulatedAq420 sensor = sensorFrom(QStringLiteral("aq420@4"));
        const QByteArray wrongKey = Frame::request(4, Cmd::AngleSetUp, QByteArray::fromHex("000000" "0096"));
        const QByteArray wrongSize = Frame::writeRequest(4, Cmd::AngleSetUp, QByteArray(1, '\x96'));
        const QByteArray table = Frame::writeRequest(4, Cmd::WriteTable, QByteArray(80, '\0'));
        for (const QByteArray &frame : {wrongKey, wrongSize, table})
            QVERIFY(sensor.handle(frame).reply.isEmpty());
        QCOMPARE(sensor.up(), 70);
        QCOMPARE(sensor.changesTaken(), 0);
    }

    // The line cuts every frame the page sends at its length, even where
    // another device kind uses the same command code with another length.
    void theLineFramesThePagesRequests()
    {
        const QList<QByteArray> frames = {
            Aq420Writes::modeFrame(4, 0x10), Aq420Writes::zeroFrame(4),
            Aq420Writes::fieldFrame(Aq420Field::Up, 4, 0, 150),
            Aq420Writes::fieldFrame(Aq420Field::Down, 4, 0, 30),
            Aq420Writes::fieldFrame(Aq420Field::DelayOn, 4, 0x10, 12),
            Aq420Writes::fieldFrame(Aq420Field::DelayOn, 4, 0x08, 12),
            Aq420Writes::fieldFrame(Aq420Field::DelayOff, 4, 0x10, 40),
            Aq420Writes::fieldFrame(Aq420Field::DelayOff, 4, 0x08, 40),
            Aq420Writes::fieldFrame(Aq420Field::Address, 4, 0, 9)};
        for (const QByteArray &frame : frames) {
            RequestFramer framer;
            const QByteArray poll = Frame::request(4, Cmd::ReadSettings);
            QCOMPARE(framer.feed(frame + poll), (QList<QByteArray>{frame, poll}));
            QCOMPARE(framer.pendingSize(), 0);
        }
    }

    void consoleTiltsTheSensor()
    {
        VirtualLine line;
        QString error;
        QVERIFY2(line.addDevices({QStringLiteral("aq420@4:angle=10"), QStringLiteral("kv510@5")}, &error),
                 qPrintable(error));
        LineConsole console(&line);
        QVERIFY(console.execute(QStringLiteral("angle 4 120")).ok);
        QCOMPARE(line.angleSensor(4)->angle(), 120);
        QVERIFY(!console.execute(QStringLiteral("angle 5 120")).ok); // a fuel sensor
        QVERIFY(!console.execute(QStringLiteral("angle 4 360")).ok);
        QVERIFY(!console.execute(QStringLiteral("level 100 4")).ok); // it measures no fuel
        QVERIFY(console.execute(QStringLiteral("state")).output.contains(QLatin1String("\"kind\":\"aq420\"")));
    }
};

QTEST_GUILESS_MAIN(TestEmulatedAq420)
#include "tst_emulatedaq420.moc"
