// The advertising record and the rules of the advertising page, without widgets.

#include "devices/wireless/adwrecord.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QtTest>

namespace {

// A record as a base sends it: fields at their offsets, CRC last.
QByteArray record(quint8 address, quint8 flags, qint8 rssi = -48, quint8 connection = 0,
                  const QByteArray &name = "100001", quint8 link = 0x21, int length = 45)
{
    QByteArray payload(length - 4, '\0');
    auto put = [&payload](int offset, quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            payload[offset - 3 + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(3, quint8(qint8(-7)), 1);
    put(4, 3000, 2);
    put(6, 123456, 4);
    put(10, 1000, 4);
    put(14, 9000, 4);
    put(20, 0x80, 1);
    put(22, 3, 1);
    put(23, 120, 1);
    put(27, link, 1);
    put(28, quint8(rssi), 1);
    put(29, 35, 1);
    for (int i = 0; i < name.size() && i < 6; ++i)
        put(33 + i, quint8(name.at(i)), 1);
    put(39, connection, 1);
    put(40, flags, 1);
    return Frame::reply(address, Protocol::Command::ReadSettings, payload);
}

} // namespace

class TestAdwRecord : public QObject
{
    Q_OBJECT

private slots:
    void decodesEveryFieldAtItsOffset()
    {
        const auto r = AdwRules::decode(record(7, 0x12));
        QVERIFY(r);
        QCOMPARE(r->address, quint8(7));
        QCOMPARE(r->temperature, qint8(-7));
        QCOMPARE(r->level, quint16(3000));
        QCOMPARE(r->raw, 123456);
        QCOMPARE(r->empty, 1000);
        QCOMPARE(r->full, 9000);
        QCOMPARE(r->scaleMaximum(), 4096);
        QVERIFY(r->hasFilter());
        QCOMPARE(r->sensorFirmware, quint8(120));
        QCOMPARE(r->rssi, qint8(-48));
        QCOMPARE(r->battery, quint8(35));
        QCOMPARE(r->nameText(), QStringLiteral("100001"));
        QCOMPARE(r->flags, quint8(0x12));
        QVERIFY(!r->isLinkedSensor());
    }

    void refusesWhatIsNoRecord()
    {
        QVERIFY(AdwRules::decode(record(7, 0, -48, 0, "1", 0x21, 43)));
        QVERIFY(!AdwRules::decode(record(7, 0, -48, 0, "1", 0x21, 42)));
        QByteArray identification = record(7, 0);
        identification[2] = char(Protocol::Command::ReadIdentification);
        QVERIFY(!AdwRules::decode(identification));
        QByteArray request = record(7, 0);
        request[0] = char(Protocol::kRequestPrefix);
        QVERIFY(!AdwRules::decode(request));
        QVERIFY(!AdwRules::decode(QByteArray()));
    }

    void connectionStateNineIsConnectedTenIsNot()
    {
        QVERIFY(AdwRules::decode(record(7, 0, -48, 9))->isConnected());
        QVERIFY(!AdwRules::decode(record(7, 0, -48, 10))->isConnected());
        QVERIFY(!AdwRules::decode(record(7, 0, -48, 0xFF))->isConnected());
    }

    void lostSignalEmptiesTheReadings()
    {
        const AdwRecord lost = AdwRules::emptiedIfLost(*AdwRules::decode(record(7, 0x7F, 0)));
        QCOMPARE(lost.address, quint8(7));
        QCOMPARE(lost.level, quint16(0));
        QCOMPARE(lost.raw, 0);
        QCOMPARE(lost.battery, quint8(0));
        QCOMPARE(lost.flags, quint8(0));
        QCOMPARE(lost.connectionState, AdwRecord::kNotConnected);
        QVERIFY(AdwRules::slotsOf(lost).isEmpty());
        // A heard sensor keeps everything.
        const AdwRecord heard = AdwRules::emptiedIfLost(*AdwRules::decode(record(7, 0x7F, -90)));
        QCOMPARE(heard.level, quint16(3000));
        QCOMPARE(heard.flags, quint8(0x7F));
    }

    void recordsFillTheSlotsOfTheirBits()
    {
        QCOMPARE(AdwRules::slotsOf(*AdwRules::decode(record(7, 0x03))), (QVector<int>{1, 2}));
        QCOMPARE(AdwRules::slotsOf(*AdwRules::decode(record(7, 0x04))), (QVector<int>{3}));
        QCOMPARE(AdwRules::slotsOf(*AdwRules::decode(record(7, 0x78))), QVector<int>{});
        // The linked sensor is slot 0 whatever its bits say.
        QCOMPARE(AdwRules::slotsOf(*AdwRules::decode(record(7, 0x07, -48, 0, "1", 0x1F))),
                 QVector<int>{0});
    }

    void configurationByteSwitchesOneSlot_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("device");
        QTest::addColumn<bool>("dop");
        QTest::addColumn<int>("expected");
        QTest::newRow("slot 0 dop on") << 0x00 << 0 << true << true << 0x08;
        QTest::newRow("slot 0 has no device bit") << 0x07 << 0 << false << false << 0x07;
        QTest::newRow("slot 1 on") << 0x00 << 1 << true << false << 0x01;
        QTest::newRow("slot 1 and dop") << 0x00 << 1 << true << true << 0x11;
        QTest::newRow("slot 2 off keeps others") << 0x7F << 2 << false << false << 0x5D;
        QTest::newRow("slot 3 on") << 0x08 << 3 << true << true << 0x4C;
        QTest::newRow("no slot 4") << 0x01 << 4 << true << true << 0x01;
    }

    void configurationByteSwitchesOneSlot()
    {
        QFETCH(int, flags);
        QFETCH(int, slot);
        QFETCH(bool, device);
        QFETCH(bool, dop);
        QFETCH(int, expected);
        QCOMPARE(int(AdwRules::switchedFlags(quint8(flags), slot, device, dop)), expected);
        QCOMPARE(AdwRules::dopBit(quint8(expected), slot), slot < 4 && dop);
    }

    void neighbouringAddressesWarn()
    {
        QVERIFY(AdwRules::hasNeighbouringAddresses({5, 6}));
        QVERIFY(AdwRules::hasNeighbouringAddresses({9, 5, 20, 6}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({5, 7}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({0, 1}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({5, 5}));
        QVERIFY(!AdwRules::hasNeighbouringAddresses({}));
    }

    void addressEditShowsBothAddressesWithAdditionalParameters()
    {
        QCOMPARE(AdwRules::addressEditText(12, false), QStringLiteral("12"));
        QCOMPARE(AdwRules::addressEditText(12, true), QStringLiteral("12,13"));
        QCOMPARE(AdwRules::addressFromEdit(QStringLiteral("12,13")), std::optional<quint8>(12));
        QCOMPARE(AdwRules::addressFromEdit(QStringLiteral(" 40 ")), std::optional<quint8>(40));
        for (const char *bad : {"", ",13", "0", "255", "300", "x1", "-3"})
            QVERIFY2(!AdwRules::addressFromEdit(QLatin1String(bad)), bad);
    }

    void namesForConnecting()
    {
        const auto name = AdwRules::nameForConnect(QStringLiteral("1000012"));
        QCOMPARE(QByteArray(name.data(), 6), QByteArray("100001"));
        const auto shortName = AdwRules::nameForConnect(QStringLiteral("42"));
        QCOMPARE(QByteArray(shortName.data(), 6), QByteArray("42\0\0\0\0", 6));
        QCOMPARE(AdwRules::namePayload(QStringLiteral("100001")), std::optional<QByteArray>("KV_100001"));
        for (const char *bad : {"", "12a", "12 3", "12345678901234567"})
            QVERIFY2(!AdwRules::namePayload(QLatin1String(bad)), bad);
    }
};

QTEST_GUILESS_MAIN(TestAdwRecord)
#include "tst_adwrecord.moc"
