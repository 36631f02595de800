#include "emulator/deviceconfig.h"
#include "emulator/virtualline.h"

#include <QtTest>

class TestDeviceConfig : public QObject
{
    Q_OBJECT

private slots:
    void kindsGetTheirModelByteAndReplyLength_data();
    void kindsGetTheirModelByteAndReplyLength();
    void keysSetTheState();
    void badDescriptionsAreRefusedWithAReason_data();
    void badDescriptionsAreRefusedWithAReason();
    void levelMayUseTheTwelveBitRange();
    void aLineRefusesTwoSensorsAtOneAddress();
};

void TestDeviceConfig::kindsGetTheirModelByteAndReplyLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("length");
    QTest::newRow("fls") << "fls@1" << 0x61 << 25;
    QTest::newRow("kv210") << "kv210@1" << 0x02 << 25;
    QTest::newRow("kv260") << "KV260@1" << 0x03 << 29;
    QTest::newRow("kv510") << "kv510@1" << 0x01 << 25;
    QTest::newRow("kv610") << "kv610@1" << 0x60 << 25;
}

void TestDeviceConfig::kindsGetTheirModelByteAndReplyLength()
{
    QFETCH(QString, text);
    QFETCH(int, model);
    QFETCH(int, length);
    QString error;
    const auto config = DeviceConfig::parse(text, &error);
    QVERIFY2(config, qPrintable(error));
    QCOMPARE(int(config->modelByte), model);
    QCOMPARE(config->replyLength, length);
    QVERIFY(SensorKinds::replyLengthConflict(config->kind, config->replyLength).isEmpty());
}

void TestDeviceConfig::keysSetTheState()
{
    QString error;
    const auto config = DeviceConfig::parse(
        QStringLiteral("kv260@0x10:serial=123456,fw=253,model=0x63,len=24,cnt=-5,noise=3.5,drift=0,temp=-10,"
                       "mode=0x92,settings=0x8B,empty=100,full=4000,lamp=15,out=0x10,password=4294967295,seed=7"),
        &error);
    QVERIFY2(config, qPrintable(error));
    QCOMPARE(config->kind, SensorKind::Kv260);
    QCOMPARE(int(config->address), 16);
    QCOMPARE(config->serial, 123456u);
    QCOMPARE(int(config->firmware), 253);
    QCOMPARE(int(config->modelByte), 0x63);
    QCOMPARE(config->replyLength, 24);
    QCOMPARE(config->cnt.value_or(0), -5);
    QVERIFY(!config->level);
    QCOMPARE(config->noisePercent, 3.5);
    QCOMPARE(config->driftPercent, 0.0);
    QCOMPARE(int(config->temperature), -10);
    QCOMPARE(int(config->mode), 0x92);
    QCOMPARE(int(config->settings), 0x8B);
    QCOMPARE(config->empty, 100);
    QCOMPARE(config->full, 4000);
    QCOMPARE(int(config->lamp), 15);
    QCOMPARE(int(config->output), 0x10);
    QCOMPARE(config->password, 4294967295u);
    QCOMPARE(config->seed.value_or(0), 7u);
}

void TestDeviceConfig::badDescriptionsAreRefusedWithAReason_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mention");
    QTest::newRow("unknown kind") << "kv999@1" << "unknown device kind 'kv999'";
    QTest::newRow("no address") << "kv510" << "has no address";
    QTest::newRow("address not a number") << "fls@x" << "bad address 'x'";
    QTest::newRow("address zero") << "fls@0" << "bad address '0'";
    QTest::newRow("broadcast address") << "fls@255" << "bad address '255'";
    QTest::newRow("address too big") << "fls@300:noise=1" << "bad address '300'";
    QTest::newRow("unknown key") << "fls@1:colour=red" << "unknown key 'colour'";
    QTest::newRow("key without value") << "fls@1:noise" << "needs a value";
    QTest::newRow("temperature out of range") << "fls@1:temp=200" << "bad value '200' for temp";
    QTest::newRow("negative noise") << "fls@1:noise=-1" << "bad value '-1' for noise";
    QTest::newRow("firmware not a number") << "fls@1:fw=abc" << "bad value 'abc' for fw";
    QTest::newRow("odd reply length") << "fls@1:len=26" << "24, 25 or 29";
    QTest::newRow("kv510 short reply") << "kv510@1:len=24" << "lamp threshold";
    QTest::newRow("kv260 medium reply") << "kv260@1:len=25" << "output byte";
    QTest::newRow("output byte on fls") << "fls@1:out=16" << "only kv260";
    QTest::newRow("level and cnt") << "fls@1:level=10,cnt=7000" << "both level= and cnt=";
    QTest::newRow("level above 10 bits") << "fls@1:level=2000" << "above 1023";
}

void TestDeviceConfig::badDescriptionsAreRefusedWithAReason()
{
    QFETCH(QString, text);
    QFETCH(QString, mention);
    QString error;
    QVERIFY(!DeviceConfig::parse(text, &error));
    QVERIFY2(error.contains(mention), qPrintable(error));
    // Without an error slot it still refuses, and does not crash.
    QVERIFY(!DeviceConfig::parse(text));
}

void TestDeviceConfig::levelMayUseTheTwelveBitRange()
{
    const auto config = DeviceConfig::parse(QStringLiteral("fls@1:mode=0x80,level=4000"));
    QVERIFY(config);
    QCOMPARE(config->level.value_or(0), 4000);
}

void TestDeviceConfig::aLineRefusesTwoSensorsAtOneAddress()
{
    VirtualLine line;
    QString error;
    QVERIFY(line.addDevice(QStringLiteral("fls@3"), &error));
    QVERIFY(!line.addDevice(QStringLiteral("kv510@3"), &error));
    QVERIFY2(error.contains(QLatin1String("address 3")), qPrintable(error));
    QVERIFY(!line.addDevices({QStringLiteral("kv210@4"), QStringLiteral("bogus@5")}, &error));
    QVERIFY2(error.contains(QLatin1String("bogus")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestDeviceConfig)
#include "tst_deviceconfig.moc"
