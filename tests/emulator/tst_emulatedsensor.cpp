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
    void identificationReplyLayout();
    void levelFollowsCntAndResolution();
    void settingsWriteIsAppliedAndEchoed();
    void changesWithoutTheWriteKeyAreIgnored();
    void addressChangeMovesTheSensor();
    void passwordProtectsChanges();
    void passwordProbeSetAndDelete();
    void setFullAndEmptyTakeTheLatestReading();
    void manualEmptyAndFullAreBigEndian();
    void tableRoundTrip();
    void kv260OutputByte();
    void horizonAlarmLevelAndReset();
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

    QTest::newRow("fls 25") << "fls@9" << 25 << 23 << 0x61 << 0x00 << 0x61;
    QTest::newRow("fls 24") << "fls@9:len=24" << 24 << 21 << 0x61 << 0x61 << -1;
    QTest::newRow("fls 29") << "fls@9:len=29" << 29 << 27 << 0x61 << 0x00 << 0x00;
    QTest::newRow("kv210 25") << "kv210@9" << 25 << 23 << 0x02 << 0x00 << 0x02;
    QTest::newRow("kv510 25 lamp") << "kv510@9:lamp=15" << 25 << 23 << 0x01 << 15 << 0x01;
    QTest::newRow("kv510 29 lamp") << "kv510@9:len=29,lamp=15" << 29 << 27 << 0x01 << 15 << 0x00;
    QTest::newRow("kv260 29 out") << "kv260@9:out=0x10" << 29 << 27 << 0x03 << 0x00 << 0x10;
    QTest::newRow("kv260 24") << "kv260@9:len=24,out=0x10" << 24 << 21 << 0x03 << 0x03 << -1;
    QTest::newRow("kv610 other code") << "kv610@9:model=0x62" << 25 << 23 << 0x62 << 0x00 << 0x62;
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

void TestEmulatedSensor::identificationReplyLayout()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv610@4:serial=0x01020304,fw=1234"));
    QCOMPARE(read(sensor, Cmd::ReadIdentification),
             Frame::reply(4, Cmd::ReadIdentification, QByteArray("\x04\x03\x02\x01\xD2\x04", 6)));
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
    sensor.setLevel(256);
    QCOMPARE(sensor.level(), 256);

    // Bit 7 of the mode byte switches to 12 bits: the same CNT, four times the level.
    sensor.setCnt(1500);
    QCOMPARE(sensor.level(), 512);
    send(sensor, Cmd::WriteSettings, QByteArray("\x80\x00", 2));
    QCOMPARE(sensor.maxLevel(), 4095);
    QCOMPARE(little(read(sensor, Cmd::ReadSettings), 4, 2), 2048u);
}

void TestEmulatedSensor::settingsWriteIsAppliedAndEchoed()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv610@2"));
    QCOMPARE(send(sensor, Cmd::WriteSettings, QByteArray("\x92\x8B", 2)), Frame::reply(2, Cmd::WriteSettings));
    QCOMPARE(int(sensor.mode()), 0x92);
    QCOMPARE(int(sensor.settings()), 0x8B);
    const QByteArray reply = read(sensor, Cmd::ReadSettings);
    QCOMPARE(int(quint8(reply.at(20))), 0x92);
    QCOMPARE(int(quint8(reply.at(22))), 0x8B);
}

void TestEmulatedSensor::changesWithoutTheWriteKeyAreIgnored()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1:mode=0x00"));
    QByteArray payload = Frame::writeKey() + QByteArray("\x92\x8B", 2);
    payload[0] = char(payload.at(0) ^ 0x01);
    QVERIFY(sensor.handle(Frame::request(1, Cmd::WriteSettings, payload)).reply.isEmpty());
    QCOMPARE(int(sensor.mode()), 0x00);
    // A known command with the wrong amount of data is no request of the tool either.
    QVERIFY(send(sensor, Cmd::WriteSettings, QByteArray(1, '\x92')).isEmpty());
    QCOMPARE(int(sensor.mode()), 0x00);
}

void TestEmulatedSensor::addressChangeMovesTheSensor()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv210@1"));
    QCOMPARE(send(sensor, Cmd::SetAddress, QByteArray(1, '\x07')), Frame::reply(7, Cmd::SetAddress));
    QCOMPARE(int(sensor.address()), 7);
    QCOMPARE(quint8(read(sensor, Cmd::ReadSettings).at(1)), quint8(7));
    // The broadcast address is refused: the sensor could never be polled there.
    QVERIFY(send(sensor, Cmd::SetAddress, QByteArray(1, '\xFF')).isEmpty());
    QCOMPARE(int(sensor.address()), 7);
}

void TestEmulatedSensor::passwordProtectsChanges()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv510@1:password=1234,mode=0"));
    const QByteArray refused = Frame::reply(1, Cmd::WrongPassword);
    QVERIFY(sensor.isLocked());

    // Every change is refused with 0xFD while locked; reads still work.
    QCOMPARE(send(sensor, Cmd::WriteSettings, QByteArray("\x02\x03", 2)), refused);
    QCOMPARE(send(sensor, Cmd::SetAddress, QByteArray(1, '\x05')), refused);
    QCOMPARE(send(sensor, Cmd::ManualFull, Frame::bigEndian32(4000)), refused);
    QCOMPARE(send(sensor, Cmd::SetAlarmLevel, QByteArray(1, '\x2C')), refused);
    QCOMPARE(int(sensor.mode()), 0);
    QCOMPARE(int(sensor.address()), 1);
    QCOMPARE(int(sensor.lamp()), 10);
    QCOMPARE(int(read(sensor, Cmd::ReadSettings).size()), 25);

    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(1111)), refused);
    QVERIFY(sensor.isLocked());
    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(1234)), Frame::reply(1, Cmd::EnterPassword));
    QVERIFY(!sensor.isLocked());
    QCOMPARE(send(sensor, Cmd::WriteSettings, QByteArray("\x02\x03", 2)), Frame::reply(1, Cmd::WriteSettings));
    QCOMPARE(int(sensor.mode()), 2);

    // A reset locks it again.
    QVERIFY(sensor.handle(Frame::writeRequest(1, Cmd::Reset)).restarting);
    QVERIFY(sensor.isLocked());
    QCOMPARE(send(sensor, Cmd::WriteSettings, QByteArray("\x04\x03", 2)), refused);
}

void TestEmulatedSensor::passwordProbeSetAndDelete()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("fls@1"));
    const QByteArray notProtected = Frame::reply(1, Cmd::SetPassword);
    const QByteArray accepted = Frame::reply(1, Cmd::EnterPassword);
    const QByteArray refused = Frame::reply(1, Cmd::WrongPassword);

    // A fresh tool probes with zeros: an open sensor says 0xF7 and stays open.
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), notProtected);
    QCOMPARE(sensor.password(), 0u);
    // Entering a password on an open sensor is simply accepted.
    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(99)), accepted);

    // Setting one: 0xF7 back, and the sensor is protected at once.
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(4294967295u)), notProtected);
    QCOMPARE(sensor.password(), 4294967295u);
    QVERIFY(sensor.isLocked());

    // The probe: wrong or zero password -> 0xFD, the right one -> 0xF8 (unlocks).
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), refused);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(5)), refused);
    QCOMPARE(sensor.password(), 4294967295u);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(4294967295u)), accepted);
    QVERIFY(!sensor.isLocked());

    // Deleting: 0xF8 with the password, then 0xF7 with zeros -> 0xF7, gone.
    send(sensor, Cmd::Reset);
    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(4294967295u)), accepted);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), notProtected);
    QCOMPARE(sensor.password(), 0u);
    QVERIFY(!sensor.isLocked());

    // A deletion after a wrong entry fails with 0xFD and keeps the password.
    send(sensor, Cmd::SetPassword, Frame::bigEndian32(77));
    QCOMPARE(send(sensor, Cmd::EnterPassword, Frame::bigEndian32(78)), refused);
    QCOMPARE(send(sensor, Cmd::SetPassword, Frame::bigEndian32(0)), refused);
    QCOMPARE(sensor.password(), 77u);
}

void TestEmulatedSensor::setFullAndEmptyTakeTheLatestReading()
{
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

void TestEmulatedSensor::manualEmptyAndFullAreBigEndian()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv210@3"));
    QCOMPARE(send(sensor, Cmd::ManualEmpty, QByteArray("\x00\x00\x00\x64", 4)), Frame::reply(3, Cmd::ManualEmpty));
    QCOMPARE(send(sensor, Cmd::ManualFull, QByteArray("\x00\x00\x0F\xA0", 4)), Frame::reply(3, Cmd::ManualFull));
    QCOMPARE(sensor.empty(), 100);
    QCOMPARE(sensor.full(), 4000);
    QCOMPARE(send(sensor, Cmd::ManualFull, QByteArray("\x01\x02\x03\x04", 4)), Frame::reply(3, Cmd::ManualFull));
    QCOMPARE(sensor.full(), 0x01020304);
    // The readings reply carries them least significant byte first.
    const QByteArray reply = read(sensor, Cmd::ReadSettings);
    QCOMPARE(reply.mid(10, 8), QByteArray("\x64\x00\x00\x00\x04\x03\x02\x01", 8));
    // Offsets of the remote-control lines are signed 16-bit.
    send(sensor, Cmd::ShiftEmpty, QByteArray("\xFF\x9C", 2));
    QCOMPARE(sensor.empty(), 0);
}

void TestEmulatedSensor::tableRoundTrip()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv510@2"));
    QByteArray data;
    for (int row = 0; row < EmulatedSensor::kTableRows; ++row)
        data += Frame::bigEndian16(quint16(row * 300 + 1));
    for (int row = 0; row < EmulatedSensor::kTableRows; ++row)
        data += Frame::bigEndian16(quint16(65535 - row * 7));
    QCOMPARE(send(sensor, Cmd::WriteTable, data), Frame::reply(2, Cmd::WriteTable));
    QCOMPARE(sensor.tableLevels()[19], quint16(19 * 300 + 1));
    QCOMPARE(sensor.tableVolumes()[0], quint16(65535));

    const QByteArray reply = read(sensor, Cmd::ReadTable);
    QCOMPARE(int(reply.size()), 84);
    QCOMPARE(reply, Frame::reply(2, Cmd::ReadTable, data));
}

void TestEmulatedSensor::kv260OutputByte()
{
    EmulatedSensor kv260 = sensorFrom(QStringLiteral("kv260@1"));
    QCOMPARE(send(kv260, Cmd::SendSerialNumber, QByteArray(1, '\x10')), Frame::reply(1, Cmd::SendSerialNumber));
    QCOMPARE(int(kv260.output()), 0x10);
    const QByteArray reply = read(kv260, Cmd::ReadSettings);
    QCOMPARE(int(quint8(reply.at(23))), 0x10);
    QCOMPARE(int(quint8(reply.at(27))), 0x03);

    // Other models do not know the command.
    EmulatedSensor kv510 = sensorFrom(QStringLiteral("kv510@1"));
    QVERIFY(send(kv510, Cmd::SendSerialNumber, QByteArray(1, '\x10')).isEmpty());
    QCOMPARE(int(kv510.output()), 0);
}

void TestEmulatedSensor::horizonAlarmLevelAndReset()
{
    EmulatedSensor sensor = sensorFrom(QStringLiteral("kv510@1"));
    QCOMPARE(send(sensor, Cmd::CalibrateHorizon), Frame::reply(1, Cmd::CalibrateHorizon));
    QCOMPARE(sensor.horizonCalibrations(), 1);
    QCOMPARE(send(sensor, Cmd::SetAlarmLevel, QByteArray(1, '\x2C')), Frame::reply(1, Cmd::SetAlarmLevel));
    QCOMPARE(int(quint8(read(sensor, Cmd::ReadSettings).at(21))), 0x2C);

    const EmulatedSensor::Response reset = sensor.handle(Frame::writeRequest(1, Cmd::Reset));
    QVERIFY(reset.reply.isEmpty());
    QVERIFY(reset.restarting);
    QCOMPARE(sensor.resets(), 1);
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
