// The emulated base station in advertising mode: the sensors it hears, each
// answered at its own address with an advertising record, the base's
// configuration byte, sensor names and addresses. Records are read byte by
// byte at their offsets.

#include "emulator/baseconfig.h"
#include "emulator/emulatedbase.h"
#include "emulator/lineconsole.h"
#include "emulator/memorytransport.h"
#include "emulator/virtualline.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "memoryline.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

namespace {

constexpr int kRecordLength = 45;
constexpr int kNameOffset = 33;
constexpr int kConnectionOffset = 39;
constexpr int kFlagsOffset = 40;

EmulatedBase baseFrom(const QString &text)
{
    QString error;
    const auto config = BaseConfig::parse(text, &error);
    if (!config)
        qFatal("bad test base %s: %s", qPrintable(text), qPrintable(error));
    return EmulatedBase(*config, 1);
}

QByteArray send(EmulatedBase &base, quint8 address, quint8 command, const QByteArray &data = {})
{
    return base.handle(Frame::writeRequest(address, command, data)).reply;
}

QByteArray record(EmulatedBase &base, quint8 address)
{
    return base.handle(Frame::request(address, Cmd::ReadSettings)).reply;
}

quint32 little(const QByteArray &bytes, int offset, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(offset + i));
    return value;
}

int byteAt(const QByteArray &bytes, int offset)
{
    return quint8(bytes.at(offset));
}

QByteArray configuration(quint8 byte)
{
    return QByteArray(1, char(byte));
}

using Bench = MemoryLine;

const QString kFourSensors = QStringLiteral(
    "ble@1:fw=230,noise=0,drift=0,adv=KV_100001/9;KV_100002/5;KV_100003/7;KV_10000A/12");

} // namespace

class TestEmulatedAdvertising : public QObject
{
    Q_OBJECT

private slots:
    void descriptionListsTheHeardSensors();
    void badDescriptionsAreRefusedWithAReason_data();
    void badDescriptionsAreRefusedWithAReason();
    void heardAddressesAreTakenOnTheLine();

    void searchAnswersTheHeardSensorsInSlotOrder();
    void recordCarriesTheSensorAtItsOffsets();
    void flagsOfEachSlot();
    void configurationByteThenRecords();
    void nameConnectsOnlyTheSensorItBelongsTo();
    void addressChangeMovesOneSensorToAFreeAddress();
    void otherCommandsAndAWrongKeyGetSilence();
    void aBaseHearingNobodyAnswersAtItsOwnAddress();

    void consoleDrivesTheHeardSensors();
};

// ---------------------------------------------------------------- descriptions

void TestEmulatedAdvertising::descriptionListsTheHeardSensors()
{
    // The fields are read back through the records below; an empty one keeps its default.
    QString error;
    const auto config = BaseConfig::parse(
        QStringLiteral("ble@1:adv=KV_100001/5;KV_10A00B/0x06/600/41/-48*;KV_100003/7//30,advflags=0x4B,fw=230"),
        &error);
    QVERIFY2(config, qPrintable(error));
    QCOMPARE(int(config->heard.size()), 3);
    QVERIFY(!config->heard.at(2).level);
    QCOMPARE(int(config->heard.at(2).battery), 30);
    QCOMPARE(int(config->advertisingConfiguration.value_or(0)), 0x4B);
    QCOMPARE(config->lineAddresses(), (QList<quint8>{5, 6, 7}));
}

void TestEmulatedAdvertising::badDescriptionsAreRefusedWithAReason_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mention");
    QTest::newRow("five sensors") << "ble@1:fw=230,adv=KV_000001/2;KV_000002/3;KV_000003/4;KV_000004/5;KV_000005/6"
                                  << "lists 5 sensors: a base hears at most 4";
    QTest::newRow("address twice") << "ble@1:fw=230,adv=KV_000001/2;KV_000002/2" << "address 2 twice";
    QTest::newRow("name twice") << "ble@1:fw=230,adv=KV_000001/2;KV_000001/3" << "KV_000001 twice";
    QTest::newRow("name short") << "ble@1:fw=230,adv=KV_12345/2" << "bad name 'KV_12345'";
    QTest::newRow("name long") << "ble@1:fw=230,adv=KV_1234567/2" << "bad name 'KV_1234567'";
    QTest::newRow("no prefix") << "ble@1:fw=230,adv=XX_123456/2" << "bad name 'XX_123456'";
    QTest::newRow("punctuation") << "ble@1:fw=230,adv=KV_12-456/2" << "bad name 'KV_12-456'";
    QTest::newRow("no address") << "ble@1:fw=230,adv=KV_123456" << "write NAME/ADDRESS";
    QTest::newRow("address 255") << "ble@1:fw=230,adv=KV_123456/255" << "bad address '255'";
    QTest::newRow("address 0") << "ble@1:fw=230,adv=KV_123456/0" << "bad address '0'";
    QTest::newRow("battery") << "ble@1:fw=230,adv=KV_123456/2/10/256" << "bad battery '256'";
    QTest::newRow("rssi") << "ble@1:fw=230,adv=KV_123456/2/10/36/-129" << "bad rssi '-129'";
    QTest::newRow("level above the mode") << "ble@1:fw=230,adv=KV_123456/2/2000" << "level 2000 of KV_123456";
    QTest::newRow("six fields") << "ble@1:fw=230,adv=KV_123456/2/1/2/3/4" << "write NAME/ADDRESS";
    QTest::newRow("empty") << "ble@1:fw=230,adv=" << "lists no sensor";
    QTest::newRow("linked-sensor firmware") << "ble@1:fw=215,adv=KV_123456/2" << "adv= in 'ble@1:fw=215";
    QTest::newRow("firmware 999") << "ble@1:adv=KV_123456/2,fw=999" << "firmware 223..998, not fw=999";
    QTest::newRow("flags without advertising") << "ble@1:advflags=1" << "advflags= in";
    QTest::newRow("flags too big") << "ble@1:fw=230,advflags=0x100" << "bad value '0x100' for advflags";
}

void TestEmulatedAdvertising::badDescriptionsAreRefusedWithAReason()
{
    QFETCH(QString, text);
    QFETCH(QString, mention);
    QString error;
    QVERIFY(!BaseConfig::parse(text, &error));
    QVERIFY2(error.contains(mention), qPrintable(error));
}

void TestEmulatedAdvertising::heardAddressesAreTakenOnTheLine()
{
    // Against a device before the base; one after it is in tst_emulatedbase's arguments.
    QString error;
    VirtualLine before;
    QVERIFY(!before.addDevices({QStringLiteral("fls@6"), QStringLiteral("ble@1:fw=230,adv=KV_000001/5;KV_000002/6")},
                               &error));
    QVERIFY2(error.contains(QLatin1String("two devices at address 6")), qPrintable(error));
    // The base's own address is free while it answers for its sensors.
    VirtualLine free;
    QVERIFY(free.addDevices({QStringLiteral("ble@1:fw=230,adv=KV_000001/5"), QStringLiteral("fls@1")}, &error));
}

// ---------------------------------------------------------------- replies

void TestEmulatedAdvertising::searchAnswersTheHeardSensorsInSlotOrder()
{
    Bench bench({kFourSensors, QStringLiteral("fls@3")});
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray("\x03\x09\x05\x07\x0C", 5));
    // Its own address is not answered while it hears sensors.
    QVERIFY(bench.ask(Frame::request(1, Cmd::ReadSettings), 150).isEmpty());
    QVERIFY(bench.ask(Frame::request(1, Cmd::ReadIdentification), 150).isEmpty());
}

void TestEmulatedAdvertising::recordCarriesTheSensorAtItsOffsets()
{
    EmulatedBase base = baseFrom(QStringLiteral(
        "ble@1:fw=230,serial=0x01020304,temp=-7,empty=1000,full=6000,cnt=3500,noise=0,drift=0,mode=0x80,"
        "filter=0x85,sensorfw=107,adv=KV_100001/5;KV_10000A/6/600/41/-48*"));
    // Slot 0, not connected: its level from the tank at the base's keys.
    // What a connected sensor shows is read by the page in tst_adw_e2e.
    const QByteArray first = record(base, 5);
    QCOMPARE(int(first.size()), kRecordLength);
    QCOMPARE(Frame::check(first, 5), Frame::Verdict::Accepted);
    QCOMPARE(byteAt(first, 2), int(Cmd::ReadSettings));
    QCOMPARE(qint8(first.at(3)), qint8(-7));
    QCOMPARE(little(first, 4, 2), 2048u); // half way on the 0..4095 scale
    QCOMPARE(little(first, 6, 4), 3500u);
    QCOMPARE(little(first, 10, 4), 1000u);
    QCOMPARE(little(first, 14, 4), 6000u);
    QCOMPARE(byteAt(first, 20), 0x80);
    QCOMPARE(byteAt(first, 22), 0x85);
    QCOMPARE(byteAt(first, 23), 107);
    QCOMPARE(byteAt(first, 27), 0x1F);
    QCOMPARE(qint8(first.at(28)), qint8(-60));
    QCOMPARE(byteAt(first, 29), 36);
    QCOMPARE(first.mid(kNameOffset, 6), QByteArray(6, '\0'));
    QCOMPARE(byteAt(first, kConnectionOffset), 0xFF);
    for (const int unused : {18, 19, 21, 24, 25, 26, 30, 31, 32, 41, 42, 43})
        QCOMPARE(byteAt(first, unused), 0);

    // The identification is the base's, from the sensor's address.
    const QByteArray id = base.handle(Frame::request(6, Cmd::ReadIdentification)).reply;
    QCOMPARE(int(id.size()), 10);
    QCOMPARE(Frame::check(id, 6), Frame::Verdict::Accepted);
    QCOMPARE(little(id, 3, 4), 0x01020304u);
    QCOMPARE(little(id, 7, 2), 230u);
    QCOMPARE(base.readingsRepliesSent(), 0); // counted by the line, once sent
}

void TestEmulatedAdvertising::flagsOfEachSlot()
{
    // Slots 1 and 3 on, additional parameters of slots 1 and 3.
    EmulatedBase base = baseFrom(kFourSensors + QStringLiteral(",advflags=0x55"));
    QCOMPARE(byteAt(record(base, 9), kFlagsOffset), 0x55);  // the whole byte
    QCOMPARE(byteAt(record(base, 5), kFlagsOffset), 0x51);  // slot 1 on
    QCOMPARE(byteAt(record(base, 7), kFlagsOffset), 0x50);  // slot 2 off: no slot bit
    QCOMPARE(byteAt(record(base, 12), kFlagsOffset), 0x54); // slot 3 on
}

void TestEmulatedAdvertising::configurationByteThenRecords()
{
    Bench bench({kFourSensors + QStringLiteral(",advflags=0x07")});
    EmulatedBase *base = bench.line.base(5);
    QVERIFY(base);
    QVERIFY(base->heard().connect(5, "KV_100002"));
    QVERIFY(base->heard().connect(7, "KV_100003"));
    // The 8-byte 0xEC and a record request behind it in one write: the
    // configuration is answered from the address it was sent to.
    const QByteArray taken = bench.ask(Frame::writeRequest(12, Cmd::ManualFull, configuration(0x0D))
                                       + Frame::request(5, Cmd::ReadSettings));
    QCOMPARE(taken, Frame::reply(12, Cmd::ManualFull));
    QTRY_COMPARE_WITH_TIMEOUT(int(bench.wire->writes().size()), 2, 5000);
    const QByteArray first = bench.wire->writes().at(1);
    QCOMPARE(Frame::check(first, 5), Frame::Verdict::Accepted);
    QCOMPARE(byteAt(first, kFlagsOffset), 0x09); // slot 1 on, its additional parameters
    QCOMPARE(first.mid(kNameOffset, 6), QByteArray("100002"));
    // Slot 2 was switched off: its connection is gone.
    const QByteArray off = bench.ask(Frame::request(7, Cmd::ReadSettings));
    QCOMPARE(byteAt(off, kFlagsOffset), 0x08);
    QCOMPARE(off.mid(kNameOffset, 6), QByteArray(6, '\0'));
    QCOMPARE(byteAt(off, kConnectionOffset), 0xFF);
    QCOMPARE(byteAt(bench.ask(Frame::request(9, Cmd::ReadSettings)), kFlagsOffset), 0x0D);
}

void TestEmulatedAdvertising::nameConnectsOnlyTheSensorItBelongsTo()
{
    EmulatedBase base = baseFrom(kFourSensors);
    // Another sensor's name: accepted, nothing connects.
    QCOMPARE(send(base, 5, Cmd::SetBleName, "KV_100001"), Frame::reply(5, Cmd::BleNameAccepted));
    QCOMPARE(byteAt(record(base, 5), kConnectionOffset), 0xFF);
    QCOMPARE(byteAt(record(base, 9), kConnectionOffset), 0xFF);
    QCOMPARE(send(base, 5, Cmd::SetBleName, "KV_1000021"), Frame::reply(5, Cmd::BleNameAccepted));
    QCOMPARE(byteAt(record(base, 5), kConnectionOffset), 0xFF);
    // Its own name connects it: tst_adw_e2e.
    // Not a name at all: silence.
    QVERIFY(send(base, 9, Cmd::SetBleName, "XY_100001").isEmpty());
    QVERIFY(send(base, 9, Cmd::SetBleName, "KV_").isEmpty());
}

void TestEmulatedAdvertising::addressChangeMovesOneSensorToAFreeAddress()
{
    Bench bench({kFourSensors, QStringLiteral("fls@3")});
    const auto move = [&](quint8 from, quint8 to) {
        return bench.ask(Frame::writeRequest(from, Cmd::SetAddress, QByteArray(1, char(to))), 150);
    };
    QVERIFY(move(5, 8).isEmpty()); // no reply; the page follows the move in tst_adw_e2e
    // Refused: 0, the broadcast, a wired sensor's, another heard sensor's.
    for (const quint8 to : {0, 255, 3, 9})
        QVERIFY(move(8, to).isEmpty());
    QCOMPARE(bench.line.base(8)->heard().addresses(), (QList<quint8>{9, 8, 7, 12}));
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray("\x03\x09\x08\x07\x0C", 5));
}

void TestEmulatedAdvertising::otherCommandsAndAWrongKeyGetSilence()
{
    EmulatedBase base = baseFrom(kFourSensors + QStringLiteral(",advflags=0x01"));
    QVERIFY(base.handle(Frame::request(5, Cmd::ReadTable)).reply.isEmpty());
    QVERIFY(send(base, 5, Cmd::WriteSettings, QByteArray("\x80\x00", 2)).isEmpty());
    QVERIFY(send(base, 5, Cmd::SetPassword, Frame::bigEndian32(0)).isEmpty());
    QVERIFY(send(base, 5, Cmd::ManualFull, Frame::bigEndian32(4000)).isEmpty());
    QVERIFY(send(base, 5, Cmd::SetFull).isEmpty());
    // The access code wrong: the configuration, the name, the address stay.
    const QByteArray wrongKey("\x00\x00\x00", 3);
    QVERIFY(base.handle(Frame::request(5, Cmd::ManualFull, wrongKey + configuration(0x7F))).reply.isEmpty());
    QVERIFY(base.handle(Frame::request(5, Cmd::SetBleName, wrongKey + "KV_100002")).reply.isEmpty());
    QVERIFY(base.handle(Frame::request(5, Cmd::SetAddress, wrongKey + QByteArray(1, '\x20'))).reply.isEmpty());
    QCOMPARE(int(base.heard().configuration()), 0x01);
    QVERIFY(!base.heard().at(5)->connected);
    QVERIFY(base.heard().at(5));
    // Addresses nobody is heard at.
    QVERIFY(record(base, 1).isEmpty());
    QVERIFY(record(base, 6).isEmpty());
}

void TestEmulatedAdvertising::aBaseHearingNobodyAnswersAtItsOwnAddress()
{
    Bench bench({QStringLiteral("ble@4:fw=230,cnt=7000,noise=0,drift=0")});
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray(1, '\x04'));
    QCOMPARE(bench.ask(Frame::writeRequest(4, Cmd::ManualFull, configuration(0x03))), Frame::reply(4, Cmd::ManualFull));
    QCOMPARE(int(bench.line.base(4)->heard().configuration()), 0x03);
    // The 11-byte 0xEC is still the full count of its linked sensor.
    QVERIFY(bench.ask(Frame::writeRequest(4, Cmd::ManualFull, Frame::bigEndian32(9000)), 150).isEmpty());
    QCOMPARE(bench.line.base(4)->tank().full(), 9000);
}

// ---------------------------------------------------------------- console

void TestEmulatedAdvertising::consoleDrivesTheHeardSensors()
{
    Bench bench({kFourSensors, QStringLiteral("fls@3")});
    LineConsole console(&bench.line);
    QVERIFY(console.execute(QStringLiteral("signal 7 0")).ok);
    QVERIFY(console.execute(QStringLiteral("battery 7 29")).ok);
    QVERIFY(console.execute(QStringLiteral("level 700 7")).ok);
    // Out of range, still a record, with signal 0.
    QByteArray lost = bench.ask(Frame::request(7, Cmd::ReadSettings));
    QCOMPARE(Frame::check(lost, 7), Frame::Verdict::Accepted);
    QCOMPARE(byteAt(lost, 28), 0);
    QCOMPARE(byteAt(lost, 29), 29);
    QCOMPARE(little(lost, 4, 2), 700u);
    // Listed in the search all the same.
    QCOMPARE(bench.ask(Frame::searchBroadcast()), QByteArray("\x03\x09\x05\x07\x0C", 5));
    // The other sensors kept theirs.
    const QByteArray other = bench.ask(Frame::request(5, Cmd::ReadSettings));
    QVERIFY(qint8(other.at(28)) == -60 && byteAt(other, 29) == 36 && little(other, 4, 2) != 700u);
    // A level for all reaches every heard sensor.
    QVERIFY(console.execute(QStringLiteral("level 100")).ok);
    QCOMPARE(little(bench.ask(Frame::request(12, Cmd::ReadSettings)), 4, 2), 100u);

    for (const QString &refused : {QStringLiteral("signal 3 0"), QStringLiteral("signal 1 0"),
                                   QStringLiteral("signal 7 -200"), QStringLiteral("link 7 0x21")})
        QVERIFY2(!console.execute(refused).ok, qPrintable(refused));

    // Devices stand in the order of their own addresses: the base (1) first.
    const QJsonObject state = bench.line.state().value(QStringLiteral("devices")).toArray().at(0).toObject();
    const QJsonObject third = state.value(QStringLiteral("heard")).toArray().at(2).toObject();
    QCOMPARE(third.value(QStringLiteral("name")).toString(), QStringLiteral("KV_100003"));
    QCOMPARE(third.value(QStringLiteral("rssi")).toInt(), 0);
}

QTEST_GUILESS_MAIN(TestEmulatedAdvertising)
#include "tst_emulatedadvertising.moc"
