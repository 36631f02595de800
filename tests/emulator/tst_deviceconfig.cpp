#include "emulator/deviceconfig.h"
#include "emulator/virtualline.h"

#include <QtTest>

using namespace std::chrono_literals;

class TestDeviceConfig : public QObject
{
    Q_OBJECT

private slots:
    void keysAtTheEdgesOfTheirRange();
    void badDescriptionsAreRefusedWithAReason_data();
    void badDescriptionsAreRefusedWithAReason();
    void aLineRefusesTwoSensorsAtOneAddress();
};

// Most keys are read back through the replies in tst_emulatedsensor; these
// are the forms and limits no reply shows.
void TestDeviceConfig::keysAtTheEdgesOfTheirRange()
{
    QString error;
    const auto config = DeviceConfig::parse(
        QStringLiteral("KV260@0x10:cnt=-5,noise=3.5,password=4294967295,seed=7,autocycle=250"), &error);
    QVERIFY2(config, qPrintable(error));
    QCOMPARE(config->kind, SensorKind::Kv260);
    QCOMPARE(int(config->address), 16);
    QCOMPARE(config->cnt.value_or(0), -5);
    QVERIFY(!config->level);
    QCOMPARE(config->noisePercent, 3.5);
    QCOMPARE(config->password, 4294967295u);
    QCOMPARE(config->seed.value_or(0), 7u);
    QCOMPARE(config->autoCycle, 250ms);
    QCOMPARE(DeviceConfig::parse(QStringLiteral("kv510@4"))->autoCycle, 0ms);
    // A 12-bit mode allows levels up to 4095.
    const auto twelveBit = DeviceConfig::parse(QStringLiteral("fls@1:mode=0x80,level=4000"));
    QVERIFY(twelveBit);
    QCOMPARE(twelveBit->level.value_or(0), 4000);
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
    QTest::newRow("negative autocycle") << "kv510@4:autocycle=-1" << "autocycle";
    QTest::newRow("autocycle not a number") << "kv510@4:autocycle=soon" << "autocycle";
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
