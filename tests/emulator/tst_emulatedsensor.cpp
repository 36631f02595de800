#include "emulator/emulatedsensor.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

#include <cmath>

namespace Cmd = Protocol::Command;

namespace {

EmulatedSensor sensorFrom(const QString &text, quint32 seed = 1)
{
    const auto config = DeviceConfig::parse(text);
    if (!config)
        qFatal("bad test device %s", qPrintable(text));
    return EmulatedSensor(*config, seed);
}

quint32 little(const QByteArray &frame, int offset, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(frame.at(offset + i));
    return value;
}

QByteArray send(EmulatedSensor &sensor, quint8 command, const QByteArray &data = {})
{
    return sensor.handle(Frame::writeRequest(sensor.address(), command, data)).reply;
}

QByteArray read(EmulatedSensor &sensor, quint8 command)
{
    return sensor.handle(Frame::request(sensor.address(), command)).reply;
}

// The tool's verdict over the last eight CNT values: 3 stable, 2 slightly
// unstable, 1 unstable, 0 undecided (exactly on a border).
int toolVerdict(const QList<qint32> &window)
{
    double sum = 0;
    for (const qint32 value : window)
        sum += value;
    const double mean = std::trunc(sum / window.size());
    const double latest = window.last();
    const double d = std::fabs(mean - latest) / latest;
    if (d < 0.01)
        return 3;
    if (d > 0.01 && d < 0.05)
        return 2;
    if (d > 0.05)
        return 1;
    return 0;
}

} // namespace

class TestEmulatedSensor : public QObject
{
    Q_OBJECT

private slots:
    void readingsReplyLayout_data();
    void readingsReplyLayout();
    void levelFollowsCntAndResolution();
    void requestsTheToolNeverSendsChangeNothing();
    void passwordLocksChangesAndAResetLocksAgain();
    void passwordProbeAndAFailedDeletion();
    void setFullAndEmptyTakeTheLatestReading();
    void manualValuesAreBigEndianAndShiftsSigned();
    void stabilityVerdictFollowsNoise_data();
    void stabilityVerdictFollowsNoise();
};

void TestEmulatedSensor::readingsReplyLayout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("modelOffset");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("byte21");
    QTest::addColumn<int>("byte23"); // -1: the CRC sits there

    // Each model and length is identified by the wired page in tst_fls_e2e;
    // here, the bytes it shows nothing of.
    QTest::newRow("fls 24") << "fls@9:len=24" << 24 << 21 << 0x61 << 0x61 << -1;
    QTest::newRow("kv510 25 lamp") << "kv510@9:lamp=15" << 25 << 23 << 0x01 << 15 << 0x01;
    QTest::newRow("kv510 29 lamp") << "kv510@9:len=29,lamp=15" << 29 << 27 << 0x01 << 15 << 0x00;
    QTest::newRow("kv260 29 out") << "kv260@9:out=0x10" << 29 << 27 << 0x03 << 0x00 << 0x10;
    QTest::newRow("kv260 24") << "kv260@9:len=24,out=0x10" << 24 << 21 << 0x03 << 0x03 << -1;
}

void TestEmulatedSensor::readingsReplyLayout()
{
    QFETCH(QString, kind);
    QFETCH(int, length);
    QFETCH(int, modelOffset);
    QFETCH(int, model);
    QFETCH(int, byte21);
    QFETCH(int, byte23);

    const QString common = QStringLiteral("temp=-10,empty=1000,full=2000,cnt=1500,noise=0,drift=0,mode=0x04,"
                                          "settings=0x8B");
    EmulatedSensor sensor = sensorFrom(kind + (kind.contains(QLatin1Char(':')) ? QStringLiteral(",")
                                                                               : QStringLiteral(":"))
                                       + common);
    const QByteArray reply = read(sensor, Cmd::ReadSettings);
    QCOMPARE(int(reply.size()), length);
    QVERIFY(Frame::hasValidCrc(reply));
    QCOMPARE(reply.left(3), QByteArray("\x3E\x09\xF0", 3));
    QCOMPARE(quint8(reply.at(3)), quint8(0xF6)); // -10 degrees
    QCOMPARE(little(reply, 4, 2), 512u);        // halfway between empty and full, 10 bits
    QCOMPARE(little(reply, 6, 4), 1500u);
    QCOMPARE(little(reply, 10, 4), 1000u);
    QCOMPARE(little(reply, 14, 4), 2000u);
    QCOMPARE(little(reply, 18, 2), 0u);
    QCOMPARE(int(quint8(reply.at(20))), 0x04);
    QCOMPARE(int(quint8(reply.at(21))), byte21);
    QCOMPARE(int(quint8(reply.at(22))), 0x8B);
    if (byte23 >= 0)
        QCOMPARE(int(quint8(reply.at(23))), byte23);
    QCOMPARE(int(quint8(reply.at(modelOffset))), model);
}

void TestEmulatedSensor::levelFollowsCntAndResolution()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1:empty=1000,full=2000,noise=0,drift=0"));
    sensor.setCnt(500);
    QCOMPARE(sensor.level(), 0);
    sensor.setCnt(2500);
    QCOMPARE(sensor.level(), 1023);
    sensor.setLevel(1023);
    QCOMPARE(sensor.cnt(), 2000);
    // Bit 7 of the mode byte switches to 12 bits: the same CNT, four times the level.
    sensor.setCnt(1500);
    QCOMPARE(sensor.level(), 512);
    send(sensor, Cmd::WriteSettings, QByteArray("\x80\x00", 2));
    QCOMPARE(sensor.maxLevel(), 4095);
    QCOMPARE(little(read(sensor, Cmd::ReadSettings), 4, 2), 2048u);
}

void TestEmulatedSensor::requestsTheToolNeverSendsChangeNothing()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1:mode=0x00"));
    QByteArray payload = Frame::writeKey() + QByteArray("\x92\x8B", 2);
    payload[0] = char(payload.at(0) ^ 0x01);
    QVERIFY(sensor.handle(Frame::request(1, Cmd::WriteSettings, payload)).reply.isEmpty());
    // A known command with the wrong amount of data.
    QVERIFY(send(sensor, Cmd::WriteSettings, QByteArray(1, '\x92')).isEmpty());
    QCOMPARE(int(sensor.mode()), 0x00);
    // The broadcast address: the sensor could never be polled there.
    QVERIFY(send(sensor, Cmd::SetAddress, QByteArray(1, '\xFF')).isEmpty());
    QCOMPARE(int(sensor.address()), 1);
    // Only a KV260 has an output byte.
    QVERIFY(send(sensor, Cmd::SendSerialNumber, QByteArray(1, '\x10')).isEmpty());
    QCOMPARE(int(sensor.output()), 0);
}

void TestEmulatedSensor::passwordLocksChangesAndAResetLocksAgain()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv510@1:password=1234,mode=0"));
    const QByteArray refused = Frame::reply(1, Cmd::WrongPassword);
    // Every change is refused with 0xFD while locked; reads still work.
    QCOMPARE(send(sensor, Cmd::SetAddress, QByteArray(1, '\x05')), refused);
    QCOMPARE(send(sensor, Cmd::ManualFull, Frame::bigEndian32(4000)), refused);
    QCOMPARE(send(sensor, Cmd::SetAlarmLevel, QByteArray(1, '\x2C')), refused);
    QCOMPARE(int(sensor.address()), 1);
    QCOMPARE(int(sensor.lamp()), 10);
    QCOMPARE(sensor.full(), 10000);
    QCOMPARE(int(read(sensor, Cmd::ReadSettings).size()), 25);
    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(1234)), Frame::reply(1, Cmd::EnterPassword));
    QVERIFY(!sensor.isLocked());
    QVERIFY(sensor.handle(Frame::writeRequest(1, Cmd::Reset)).restarting);
    QVERIFY(sensor.isLocked());
    QCOMPARE(send(sensor, Cmd::WriteSettings, QByteArray("\x04\x03", 2)), refused);
    QCOMPARE(int(sensor.mode()), 0);
}

void TestEmulatedSensor::passwordProbeAndAFailedDeletion()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1"));
    const QByteArray notProtected = Frame::reply(1, Cmd::SetPassword);
    const QByteArray refused = Frame::reply(1, Cmd::WrongPassword);
    // A fresh tool probes with zeros: an open sensor says 0xF7 and stays open.
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), notProtected);
    QCOMPARE(sensor.password(), 0u);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(4294967295u)), notProtected);
    QVERIFY(sensor.isLocked());
    // The probe of a protected one: zeros -> 0xFD, the right one -> 0xF8 (unlocks).
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), refused);
    QCOMPARE(sensor.password(), 4294967295u);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(4294967295u)), Frame::reply(1, Cmd::EnterPassword));
    QVERIFY(!sensor.isLocked());
    // A deletion after a wrong entry fails with 0xFD and keeps the password.
    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(78)), refused);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), refused);
    QCOMPARE(sensor.password(), 4294967295u);
}

void TestEmulatedSensor::setFullAndEmptyTakeTheLatestReading()
{
    // With noise, the reading last sent, not the set point.
    EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1:noise=3,cnt=7000"), 42);
    const qint32 first = qint32(little(read(sensor, Cmd::ReadSettings), 6, 4));
    QVERIFY(first != 7000);
    QCOMPARE(send(sensor, Cmd::SetFull), Frame::reply(1, Cmd::SetFull));
    QCOMPARE(sensor.full(), first);
    const qint32 second = qint32(little(read(sensor, Cmd::ReadSettings), 6, 4));
    QCOMPARE(send(sensor, Cmd::SetEmpty), Frame::reply(1, Cmd::SetEmpty));
    QCOMPARE(sensor.empty(), second);
    QCOMPARE(sensor.full(), first);
}

void TestEmulatedSensor::manualValuesAreBigEndianAndShiftsSigned()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv210@3:empty=100"));
    QCOMPARE(send(sensor, Cmd::ManualFull, QByteArray("\x01\x02\x03\x04", 4)), Frame::reply(3, Cmd::ManualFull));
    QCOMPARE(sensor.full(), 0x01020304);
    // The readings reply carries them least significant byte first.
    QCOMPARE(read(sensor, Cmd::ReadSettings).mid(10, 8), QByteArray("\x64\x00\x00\x00\x04\x03\x02\x01", 8));
    // Offsets of the remote-control lines are signed 16-bit.
    send(sensor, Cmd::ShiftEmpty, QByteArray("\xFF\x9C", 2));
    QCOMPARE(sensor.empty(), 0);
}

void TestEmulatedSensor::stabilityVerdictFollowsNoise_data()
{
    QTest::addColumn<double>("noise");
    QTest::addColumn<int>("verdict");
    QTest::newRow("quiet: stable") << 0.0 << 3;
    QTest::newRow("default noise: stable") << 0.3 << 3;
    QTest::newRow("3 %: slightly unstable") << 3.0 << 2;
    QTest::newRow("20 %: unstable") << 20.0 << 1;
}

void TestEmulatedSensor::stabilityVerdictFollowsNoise()
{
    QFETCH(double, noise);
    QFETCH(int, verdict);
    for (quint32 seed : {1u, 2u, 3u}) {
        // Default drift on: the slow wander must not move the verdict either.
        EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1:noise=%1").arg(noise), seed);
        QList<qint32> window;
        for (int reading = 0; reading < 300; ++reading) {
            window.append(qint32(little(read(sensor, Cmd::ReadSettings), 6, 4)));
            if (window.size() < 8)
                continue;
            QVERIFY2(toolVerdict(window) == verdict,
                     qPrintable(QStringLiteral("seed %1, reading %2").arg(seed).arg(reading)));
            window.removeFirst();
        }
    }
}

QTEST_GUILESS_MAIN(TestEmulatedSensor)
#include "tst_emulatedsensor.moc"
